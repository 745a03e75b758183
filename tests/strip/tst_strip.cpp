// The prediction strip in the real window: pointer, two switches, one switch and dwell take a
// candidate; it stays out of the board's way; with nothing stored the list over the board stays,
// and the choice changes while the program runs.
#include "AccessFixture.h"
#include "SampleHelpers.h"
#include "app/PredictionParts.h"
#include "platform/DesignButton.h"
#include "platform/DesignLayout.h"
#include "predict/PredictSession.h"
#include "strip/PredictStrip.h"

#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;

namespace {

// The strip chosen over two saved sentences, with the access layer on `accessSettings`.
struct StripFixture : AccessFixture
{
    MemorySettingsStore predict;

    frmTalk &create(const QString &accessSettings)
    {
        SampleHelpers::writeSamples(f, {u"みずをのみたい"_s, u"ありがとう"_s});
        predict.values.insert(u"Mode"_s, u"1"_s);
        return AccessFixture::create(accessSettings,
                                     [this](frmTalk &w) { w.installPrediction(predict); });
    }
};

} // namespace

class tst_strip : public QObject
{
    Q_OBJECT

  private slots:
    void takenByEveryInput_data();
    void takenByEveryInput();
    void listOverTheBoardWithNothingStored();
};

void tst_strip::takenByEveryInput_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("shown"); // the composition before, caret written in
    QTest::addColumn<QString>("expected");
    // Two switches: A lights the board, A the strip, B enters it, B takes its first candidate.
    QTest::newRow("two switches") << u"ScanMode=2"_s << u"み|_"_s << u"みずをのみたい[_]"_s;
    QTest::newRow("one switch") << u"ScanMode=1"_s << u"あり|_"_s << u"ありがとう[_]"_s;
    QTest::newRow("dwell") << u"DwellMode=1"_s << u"み|_"_s << u"みずをのみたい[_]"_s;
    QTest::newRow("pointer, caret in the middle")
        << QString() << u"あり|。_"_s << u"ありがとう[。]_"_s;
}

void tst_strip::takenByEveryInput()
{
    QFETCH(QString, settings);
    QFETCH(QString, shown);
    StripFixture s;
    frmTalk &w = s.create(settings);
    PredictStrip *strip = w.strip();
    QVERIFY(strip);
    s.f.setShown(shown);
    QTRY_VERIFY(!strip->shown().isEmpty());
    QPushButton *first = strip->cmdPredict[0];
    // Below the text, above the board: it covers neither.
    const QRect stripRect(strip->mapTo(&w, QPoint()), strip->size());
    QVERIFY(stripRect.top() >= w.txtTalk->mapTo(&w, QPoint()).y() + w.txtTalk->height());
    QVERIFY(stripRect.bottom() < w.grdBoard->y());
    // Five equal places; a saved sentence stays on one line.
    QVERIFY(qAbs(strip->cmdPredict[4]->width() - first->width()) <= 1);
    QVERIFY(!static_cast<DesignButton *>(first)->caption().text.contains(u'\n'));
    if (settings.startsWith(u"ScanMode=2"_s)) {
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Space, Qt::Key_Return, Qt::Key_Return}) {
            s.pass(300);
            QTest::keyClick(w.txtTalk, key);
        }
    } else if (settings.startsWith(u"ScanMode=1"_s)) {
        // One switch: a press starts; the board is lit, then the strip; a press enters it, its
        // first candidate is lit, a press takes it.
        QTest::keyClick(w.txtTalk, Qt::Key_Space);
        s.pass(1500 + 2000);
        QTest::keyClick(w.txtTalk, Qt::Key_Space);
        s.pass(1000);
        QTest::keyClick(w.txtTalk, Qt::Key_Space);
    } else if (settings.startsWith(u"Dwell"_s)) {
        s.pointer = first->mapToGlobal(first->rect().center());
        s.pass(3000);
    } else {
        QTest::mouseClick(first, Qt::LeftButton);
    }
    s.pass(300);
    // The character after the caret is selected, as after a board entry.
    QTEST(s.f.shown(), "expected");
}

void tst_strip::listOverTheBoardWithNothingStored()
{
    TalkFixture f;
    SampleHelpers::writeSamples(f, {u"みずをのみたい"_s});
    frmTalk &w = f.create();
    MemorySettingsStore predict;
    w.installPrediction(predict);
    const int textHeight = DesignLayout::rect(w.txtTalk).height();
    f.setShown(u"み|_"_s);
    QVERIFY(w.strip()->isHidden());
    QVERIFY(w.strip()->shown().isEmpty());
    // Chosen while the program runs, the strip shows at once under a shorter text, and goes.
    for (const QString &mode : {u"1"_s, u"0"_s}) {
        predict.values.insert(u"Mode"_s, mode);
        w.prediction()->apply();
        const bool on = mode == u"1"_s;
        QCOMPARE(w.strip()->isHidden(), !on);
        QCOMPARE(w.strip()->shown().size(), on ? 1 : 0);
        QCOMPARE(DesignLayout::rect(w.txtTalk).height(),
                 textHeight - (on ? PredictStrip::kHeightTwips : 0));
    }
}

QTEST_MAIN(tst_strip)
#include "tst_strip.moc"
