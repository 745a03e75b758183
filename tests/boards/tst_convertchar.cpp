#include "TalkFixture.h"
#include "boards/ConvertChar.h"
#include "platform/FlexGrid.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_convertchar : public QObject
{
    Q_OBJECT

  private slots:
    void forms_data();
    void forms();
    void selectionRow_data();
    void selectionRow();
};

void tst_convertchar::forms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::newRow("つ") << u"つ"_s << u"っ"_s << u"づ"_s;
    QTest::newRow("ツ") << u"ツ"_s << u"ッ"_s << u"ヅ"_s;
    QTest::newRow("は") << u"は"_s << u"ぱ"_s << u"ば"_s;
    QTest::newRow("ホ") << u"ホ"_s << u"ポ"_s << u"ボ"_s;
    QTest::newRow("あ") << u"あ"_s << QString() << u"ぁ"_s;
    QTest::newRow("ヨ") << u"ヨ"_s << QString() << u"ョ"_s;
    QTest::newRow("ウ has no voiced form") << u"ウ"_s << QString() << u"ゥ"_s;
    QTest::newRow("ち") << u"ち"_s << QString() << u"ぢ"_s;
    QTest::newRow("A") << u"A"_s << QString() << u"a"_s;
    QTest::newRow("Z") << u"Z"_s << QString() << u"z"_s;
    QTest::newRow("a has none") << u"a"_s << QString() << QString();
    QTest::newRow("full-width Ａ has none") << u"Ａ"_s << QString() << QString();
    QTest::newRow("が has none") << u"が"_s << QString() << QString();
    QTest::newRow("1 has none") << u"1"_s << QString() << QString();
    QTest::newRow("full-width space has none") << u"\u3000"_s << QString() << QString();
    QTest::newRow("face mark has none") << u"(^_^)"_s << QString() << QString();
    QTest::newRow("two characters have none") << u"つつ"_s << QString() << QString();
    QTest::newRow("empty has none") << QString() << QString() << QString();
}

void tst_convertchar::forms()
{
    QFETCH(QString, text);
    QFETCH(QString, left);
    QFETCH(QString, right);
    const CharForms forms = charForms(text);
    QCOMPARE(forms.left, left);
    QCOMPARE(forms.right, right);
}

void tst_convertchar::selectionRow_data()
{
    QTest::addColumn<QString>("maxC");
    QTest::addColumn<int>("keyPresses");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QStringList>("middleRow");
    QTest::newRow("ツ") << u"9"_s << 1 << 2 << 6 << QStringList{u"ッ"_s, u"ツ"_s, u"ヅ"_s};
    QTest::newRow("ハ") << u"9"_s << 1 << 0 << 4 << QStringList{u"パ"_s, u"ハ"_s, u"バ"_s};
    QTest::newRow("あ keeps its left neighbour")
        << u"9"_s << 0 << 0 << 9 << QStringList{u"か"_s, u"あ"_s, u"ぁ"_s};
    QTest::newRow("Z") << u"9"_s << 2 << 3 << 1 << QStringList{u"/"_s, u"Z"_s, u"z"_s};
    QTest::newRow("1 unchanged") << u"9"_s << 2 << 0 << 0 << QStringList{QString(), u"1"_s, u"2"_s};
    QTest::newRow("5 unchanged") << u"9"_s << 2 << 0 << 4 << QStringList{u"4"_s, u"5"_s, u"6"_s};
    QTest::newRow("が unchanged") << u"14"_s << 0 << 0 << 4
                                  << QStringList{u"ざ"_s, u"が"_s, u"わ"_s};
    QTest::newRow("face mark unchanged")
        << u"9"_s << 2 << 4 << 8 << QStringList{u"!"_s, u"(^_^)"_s, u"(T_T)"_s};
}

void tst_convertchar::selectionRow()
{
    QFETCH(QString, maxC);
    QFETCH(int, keyPresses);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QStringList, middleRow);
    TalkFixture f;
    f.settings.values.insert(u"gMaxC"_s, maxC);
    frmTalk &w = f.create();
    for (int i = 0; i < keyPresses; ++i)
        f.click("cmdKey");
    f.clickCell("grdBoard", row, col);
    const FlexGrid &g = *w.grdBoard2;
    QCOMPARE((QStringList{g.textMatrix(1, 0), g.textMatrix(1, 1), g.textMatrix(1, 2)}), middleRow);
}

QTEST_MAIN(tst_convertchar)
#include "tst_convertchar.moc"
