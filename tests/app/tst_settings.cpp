#include "Fakes.h"
#include "app/AppState.h"
#include "app/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_settings : public QObject
{
    Q_OBJECT

  private slots:
    void storedTextsRead_data();
    void storedTextsRead();
    void storeThatCannotBeWrittenSaysSo();
};

void tst_settings::storedTextsRead_data()
{
    QTest::addColumn<QString>("stored"); // in every key; null: the store is empty
    QTest::addColumn<bool>("beep");
    QTest::addColumn<bool>("samp");
    QTest::addColumn<int>("maxC");
    QTest::addColumn<int>("sample");
    QTest::newRow("defaults") << QString() << false << true << 9 << 2;
    QTest::newRow("one") << u"1"_s << true << true << 9 << 1;
    QTest::newRow("leading zero: not the beep text") << u"01"_s << false << true << 9 << 1;
    QTest::newRow("blank, digits, text") << u" 3x"_s << false << true << 9 << 3;
    QTest::newRow("negative") << u"-2"_s << false << true << 9 << 1;
    QTest::newRow("not a number") << u"abc"_s << false << false << 9 << 1;
    QTest::newRow("ten columns read as nine") << u"10"_s << false << true << 9 << 5;
    QTest::newRow("widest board") << u"29"_s << false << true << 29 << 5;
    QTest::newRow("just above the limits") << u"30"_s << false << true << 29 << 5;
    QTest::newRow("past the int range held") << u"4294967300"_s << false << true << 29 << 5;
}

void tst_settings::storedTextsRead()
{
    QFETCH(QString, stored);
    MemorySettingsStore store;
    if (!stored.isNull()) {
        for (const char16_t *key : {u"Beep", u"Samp", u"gMaxC", u"Sample"})
            store.values.insert(QString::fromUtf16(key), stored);
    }
    AppState s;
    Settings::load(s, store);
    QTEST(s.beepOn(), "beep");
    QTEST(s.sampOn(), "samp");
    QTEST(int(s.gMaxC), "maxC");
    QTEST(int(s.gSample), "sample");
}

void tst_settings::storeThatCannotBeWrittenSaysSo()
{
    QTemporaryDir dir;
    const QString conf = dir.filePath(u"Talk.conf"_s);
    QVERIFY(QDir().mkdir(conf));
    QtSettingsStore store(conf);
    store.write(u"Beep"_s, u"1"_s);
    QVERIFY(!store.sync());
    // Once the folder is gone, the next sync stores again.
    QVERIFY(QDir().rmdir(conf));
    store.write(u"Moji"_s, u"1"_s);
    QVERIFY(store.sync());
    QVERIFY(QFile::exists(conf));
}

QTEST_APPLESS_MAIN(tst_settings)
#include "tst_settings.moc"
