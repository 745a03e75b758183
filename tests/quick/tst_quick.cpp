#include "AccessFixture.h"
#include "SampleHelpers.h"
#include "SoundWindow.h"
#include "access/ScanPlan.h"
#include "partner/PartnerPlace.h"
#include "partner/PartnerView.h"
#include "platform/DesignLayout.h"
#include "platform/Units.h"
#include "quick/Conversation.h"
#include "quick/QuickBand.h"
#include "quick/QuickSpeaker.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace {
const QStringList kDefaults{u"はい"_s,       u"いいえ"_s,     u"ちょっとまって"_s,
                            u"わからない"_s, u"ありがとう"_s, u"もういちど"_s};

// The window with the conversation installed over "QUICK" and "PARTNER", and access over
// "ACCESS"; `words` are "Key=value" settings of "QUICK" (Phrases' lines split by '|') or, with
// a "P:" or "A:" in front, of "PARTNER" or "ACCESS".
struct QuickFixture : AccessFixture
{
    MemorySettingsStore quick, partner;

    frmTalk &create(const QString &words = {})
    {
        QString accessWords;
        for (QString word : words.split(u' ', Qt::SkipEmptyParts)) {
            if (word.startsWith(u"A:"))
                accessWords += word.mid(2) + u' ';
            else if (word.startsWith(u"P:"))
                storeWords(partner, word.mid(2));
            else
                storeWords(quick, word.replace(u'|', u'\n'));
        }
        frmTalk &w = AccessFixture::create(
            accessWords, [this](frmTalk &w) { w.installConversation(quick, partner); });
        f.userPause();
        return w;
    }
    QList<QPushButton *> shownAnswers() const
    {
        QList<QPushButton *> shown;
        for (QPushButton *b : f.talk->fraQuick->buttons())
            if (b->isVisibleTo(f.talk.get()))
                shown.append(b);
        return shown;
    }
    QString partnerText() const { return f.talk->conversation()->partner().lblText->text(); }
};
} // namespace

class tst_quick : public QObject
{
    Q_OBJECT

  private slots:
    void band_data();
    void band();
    void pressSaysWithoutTouchingTheText_data();
    void pressSaysWithoutTouchingTheText();
    void partnerFollowsTheText();
    void partnerScreen_data();
    void partnerScreen();
};

void tst_quick::band_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QStringList>("answers");
    QTest::newRow("nothing stored: as before") << QString() << QStringList{};
    QTest::newRow("turned on: the defaults") << u"On=1"_s << kDefaults;
    QTest::newRow("off, with phrases") << u"On=0 Phrases=うん"_s << QStringList{};
    QTest::newRow("tidied: blanks dropped, trimmed, cut to 20")
        << u"On=1 Phrases=|うん||　いや　|"_s + QString(25, u'あ')
        << QStringList{u"うん"_s, u"いや"_s, QString(20, u'あ')};
    QTest::newRow("seven lines: the first six")
        << u"On=1 Phrases=1|2|3|4|5|6|7"_s << u"1 2 3 4 5 6"_s.split(u' ');
}

void tst_quick::band()
{
    QFETCH(QString, settings);
    QFETCH(QStringList, answers);
    QuickFixture q;
    frmTalk &w = q.create(settings);
    QStringList captions;
    const QList<QPushButton *> shown = q.shownAnswers();
    for (QPushButton *b : shown) {
        captions.append(b->text());
        QCOMPARE(b->accessibleName(), b->text());
        QVERIFY(b->fontMetrics().horizontalAdvance(b->text()) < b->width());
        QVERIFY(w.rect().contains(b->geometry().translated(w.fraQuick->pos())));
    }
    QCOMPARE(captions, answers);
    // The band adds its height below the foot: the board keeps its design place.
    const double scale = DesignLayout::scale(&w);
    const int height = frmTalk::kDesignHeight + (answers.isEmpty() ? 0 : QuickBand::kHeight);
    QCOMPARE(w.height(), Units::twipsToPixels(height, scale));
    QCOMPARE(DesignLayout::rect(w.grdBoard), QRect(0, 2400, 15345, 5715));
    // Scanning reaches them first, in one group.
    const ScanNode first = ScanPlan::build(w, w.controls(), false).root.children.first();
    QStringList scanned;
    for (const ScanNode &child : first.children)
        scanned.append(child.label);
    QCOMPARE(first.label, answers.isEmpty() ? u"文字盤"_s : u"よく使う答え"_s);
    if (!answers.isEmpty())
        QCOMPARE(scanned, answers);
}

void tst_quick::pressSaysWithoutTouchingTheText_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QStringList>("played");
    const QString own = u"はい.wav"_s;
    QTest::newRow("pointer, own voice") << u"On=1"_s << u"click"_s << QStringList{own};
    QTest::newRow("pointer, no voice of its own: character by character")
        << u"On=1 Phrases=いいえ|はい"_s << u"click"_s
        << QStringList{u"い.wav"_s, u"い.wav"_s, u"え.wav"_s};
    // Two switches: A lights the answers, B enters them, B says the first.
    QTest::newRow("two switches") << u"On=1 A:ScanMode=2"_s << u"Space Return Return"_s
                                  << QStringList{own};
    QTest::newRow("dwell") << u"On=1 A:DwellMode=1"_s << u"dwell"_s << QStringList{own};
}

void tst_quick::pressSaysWithoutTouchingTheText()
{
    QFETCH(QString, settings);
    QFETCH(QString, press);
    QuickFixture q;
    q.f.writeFile(u"はい.wav"_s, "RIFF"); // a recording of the user's own: not generated
    frmTalk &w = q.create(settings);
    q.f.setShown(u"あ[い]う_"_s);
    q.f.wave.played.clear();
    QPushButton *first = q.shownAnswers().first();
    for (const QString &word : press.split(u' ')) {
        if (word == u"click"_s) {
            QTest::mouseClick(first, Qt::LeftButton);
        } else if (word == u"dwell"_s) {
            q.pointer = first->mapToGlobal(first->rect().center());
            q.pass(4000);
        } else {
            QTest::keyClick(w.txtTalk, QKeySequence::fromString(word)[0].key());
            q.pass(300);
        }
    }
    QFETCH(QStringList, played);
    QTRY_COMPARE(playedNames(q.f.wave), played);
    QCOMPARE(q.f.shown(), u"あ[い]う_"_s);
    QCOMPARE(w.conversation()->partner().lblSpoken->text(), first->text());
}

void tst_quick::partnerFollowsTheText()
{
    QuickFixture q;
    SampleHelpers::writeSamples(q.f, {u"おはよう"_s});
    q.f.writeFile(u"day.txt"_s, SampleHelpers::cp932({u"\"26.12.07 はれ\""_s}));
    q.f.settings.values.insert(u"OPT1"_s, u"2"_s); // a board press enters its character
    frmTalk &w = q.create(u"P:On=1"_s);
    PartnerView &view = w.conversation()->partner();
    QVERIFY(view.isVisible());
    q.f.clickCell("grdBoard", 0, w.grdBoard->cols() - 1); // あ
    QCOMPARE(q.partnerText(), u"あ"_s); // the end marker is the user's, not the partner's
    QCOMPARE(view.lblText->accessibleName(), u"あ"_s);
    q.f.click("cmdRes_1"); // ＢＳ
    QCOMPARE(q.partnerText(), QString());
    q.f.clipboard.setText(u"みず"_s);
    q.f.click("cmdPaste");
    QCOMPARE(q.partnerText(), u"みず"_s);
    q.f.click("cmdRead");
    QCOMPARE(view.lblSpoken->text(), u"みず"_s);
    w.txtTalk->setText(QString());
    q.f.click("cmdSamp");
    const int row = int(SampleHelpers::column(w.grdEx, 1).indexOf(u"おはよう"_s));
    q.f.clickCell("grdEx", row, 1);
    q.f.click("cmdDec");
    QCOMPARE(q.partnerText(), u"おはよう"_s);
    w.txtTalk->setText(QString());
    q.f.click("cmdSamp");
    q.f.click("cmdDec"); // "日記" heads the list
    q.f.clickCell("grdDay", 0, 1);
    q.f.click("cmdDec");
    QCOMPARE(q.partnerText(), u"はれ"_s);
    // Its close box closes it, remembered; nothing else changes.
    view.close();
    QCOMPARE(q.partner.values.value(u"On"_s), u"0"_s);
    QCOMPARE(w.txtTalk->text().remove(u'_'), u"はれ"_s);
}

void tst_quick::partnerScreen_data()
{
    QTest::addColumn<QString>("screens"); // side by side; "B@0" shows what the first one shows
    QTest::addColumn<int>("user");        // the place under the middle of the user's window
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<int>("chosen");
    QTest::newRow("one screen: a window beside") << u"A"_s << 0 << QString() << -1;
    QTest::newRow("a second screen appears") << u"A B"_s << 0 << QString() << 1;
    QTest::newRow("the one it was on") << u"A B C"_s << 0 << u"C"_s << 2;
    QTest::newRow("the one it was on went") << u"A B"_s << 0 << u"C"_s << 1;
    QTest::newRow("never the user's own") << u"A B"_s << 0 << u"A"_s << 1;
    QTest::newRow("the user's window moved to the second") << u"A B"_s << 1 << u"B"_s << 0;
    QTest::newRow("a mirror of the user's screen") << u"A B@0"_s << 0 << QString() << -1;
    QTest::newRow("the user's window off every screen: the nearest is the user's")
        << u"A@2 B@3"_s << 1 << QString() << 1;
}

void tst_quick::partnerScreen()
{
    QFETCH(QString, screens);
    QFETCH(int, user);
    QFETCH(QString, remembered);
    QList<PartnerPlace::Screen> places;
    for (const QString &word : screens.split(u' ')) {
        const int at = word.contains(u'@') ? word.section(u'@', 1).toInt() : int(places.size());
        places.append({word.section(u'@', 0, 0), QRect(at * 1000, 0, 1000, 800)});
    }
    QTEST(PartnerPlace::choose(places, QPoint(user * 1000 + 500, 400), remembered), "chosen");
}

QTEST_MAIN(tst_quick)
#include "tst_quick.moc"
