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
    void numbersNormalised_data();
    void numbersNormalised();
    void optionTexts_data();
    void optionTexts();
    void storeThatCannotBeWrittenSaysSo();
};

void tst_settings::numbersNormalised_data()
{
    QTest::addColumn<QString>("maxC"); // null: not in the store
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("expectedMaxC");
    QTest::addColumn<int>("expectedSample");
    QTest::newRow("defaults") << QString() << QString() << 9 << 2;
    QTest::newRow("fifteen columns") << u"14"_s << u"5"_s << 14 << 5;
    QTest::newRow("10 reads as 9") << u"10"_s << u"1"_s << 9 << 1;
    QTest::newRow("below 9 reads as 9") << u"3"_s << u"2"_s << 9 << 2;
    QTest::newRow("negative") << u"-5"_s << u"-1"_s << 9 << 1;
    QTest::newRow("widest kept") << u"29"_s << u"3"_s << 29 << 3;
    QTest::newRow("huge held") << u"99999999999"_s << u"70000"_s << 29 << 5;
    QTest::newRow("just above the limits") << u"30"_s << u"6"_s << 29 << 5;
    QTest::newRow("leading zero") << u"014"_s << u"04"_s << 14 << 4;
    QTest::newRow("not a number") << u"abc"_s << u"x"_s << 9 << 1;
}

void tst_settings::numbersNormalised()
{
    QFETCH(QString, maxC);
    QFETCH(QString, sample);
    MemorySettingsStore store;
    if (!maxC.isNull())
        store.values.insert(u"gMaxC"_s, maxC);
    if (!sample.isNull())
        store.values.insert(u"Sample"_s, sample);
    AppState s;
    Settings::load(s, store);
    QTEST(int(s.gMaxC), "expectedMaxC");
    QTEST(int(s.gSample), "expectedSample");
}

void tst_settings::optionTexts_data()
{
    QTest::addColumn<QString>("stored"); // null: not in the store
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("on");
    QTest::newRow("defaults: beep off, predictions on") << QString() << 0 << false;
    QTest::newRow("one") << u"1"_s << 1 << true;
    QTest::newRow("leading zero is the number 1 but not the beep text") << u"01"_s << 1 << false;
    QTest::newRow("blank before") << u" 2"_s << 2 << false;
    QTest::newRow("digits then text") << u"3x"_s << 3 << false;
    QTest::newRow("negative") << u"-2"_s << -2 << false;
    QTest::newRow("text") << u"abc"_s << 0 << false;
    QTest::newRow("empty") << u""_s << 0 << false;
}

void tst_settings::optionTexts()
{
    QFETCH(QString, stored);
    QFETCH(int, number);
    QFETCH(bool, on);
    MemorySettingsStore store;
    if (!stored.isNull()) {
        for (const char16_t *key : {u"OPT1", u"Beep", u"Samp"})
            store.values.insert(QString::fromUtf16(key), stored);
    }
    AppState s;
    Settings::load(s, store);
    QCOMPARE(s.gOptions[1], stored.isNull() ? u"0"_s : stored);
    QCOMPARE(s.opt1(), number);
    QCOMPARE(s.beepOn(), on);
    QCOMPARE(s.sampOn(), stored.isNull() || number != 0);
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
