#include "boards/ConvertChar.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_convertchar : public QObject
{
    Q_OBJECT

  private slots:
    void forms_data();
    void forms();
};

void tst_convertchar::forms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::newRow("つ") << u"つ"_s << u"っ"_s << u"づ"_s;
    QTest::newRow("ツ") << u"ツ"_s << u"ッ"_s << u"ヅ"_s;
    QTest::newRow("は") << u"は"_s << u"ぱ"_s << u"ば"_s;
    QTest::newRow("ヨ has no voiced form") << u"ヨ"_s << QString() << u"ョ"_s;
    QTest::newRow("A") << u"A"_s << QString() << u"a"_s;
    QTest::newRow("two characters have none") << u"つつ"_s << QString() << QString();
    QTest::newRow("empty has none") << QString() << QString() << QString();
}

void tst_convertchar::forms()
{
    QFETCH(QString, text);
    const CharForms forms = charForms(text);
    QTEST(forms.left, "left");
    QTEST(forms.right, "right");
}

QTEST_APPLESS_MAIN(tst_convertchar)
#include "tst_convertchar.moc"
