#include "Listening.h"
#include "SoundWindow.h"
#include "platform/PressGuard.h"
#include "platform/TextBox.h"
#include "quick/QuickBand.h"

#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kVoiceMs = 350;
// Generous: a loaded machine must not fail these (bench/quick_bench holds the tight figures).
constexpr double kOnsetMs = 100;
constexpr double kWholeMs = 30;
constexpr double kStepToleranceMs = 100;
const QHash<QString, int> kVoiceHz{{u"はい"_s, 700}, {u"い"_s, 1000}, {u"え"_s, 1700}};

// The real window with the quick answers on, its voices played to the test sink.
struct QuickListening : SoundWindow
{
    explicit QuickListening(const QString &scanMode) : SoundWindow(Voices::Heard)
    {
        quick.values = {{u"On"_s, u"1"_s}, {u"Phrases"_s, u"はい\nいいえ"_s}};
        access.values.insert(u"ScanMode"_s, scanMode);
        for (auto voice = kVoiceHz.cbegin(); voice != kVoiceHz.cend(); ++voice)
            QVERIFY(writeTone(dir.path(), voice.key(), voice.value()));
        QVERIFY(show());
        talk->installConversation(quick, partner);
        talk->installAccess(access);
        talk->txtTalk->setText(u"あい_"_s);
        QTest::qWait(PressGuard::kSettleMs + 100); // no press just after the band appeared
    }

    MemorySettingsStore quick, partner, access;
};
} // namespace

class tst_quicklisten : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase() { requireListening(); }
    void heard_data();
    void heard();
};

void tst_quicklisten::heard_data()
{
    QTest::addColumn<QString>("scanMode");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<int>>("pitches");
    QTest::newRow("pointer, own voice") << u"0"_s << 0 << QList<int>{700};
    QTest::newRow("two switches, own voice") << u"2"_s << 0 << QList<int>{700};
    QTest::newRow("pointer, character voices") << u"0"_s << 1 << QList<int>{1000, 1000, 1700};
}

void tst_quicklisten::heard()
{
    QFETCH(QString, scanMode);
    QFETCH(int, answer);
    QuickListening w(scanMode);
    QPushButton *button = w.talk->fraQuick->buttons()[size_t(answer)];
    if (scanMode == u"2"_s) { // A lights the answers, B enters them; the last B says はい
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
            QTest::keyClick(w.talk->txtTalk, key);
            // A person's pace: the released switch settles, then the lit group does.
            QTest::qWait(PressGuard::kSettleMs + 300);
        }
    }
    // Three characters at 0.8 s end in the recording.
    const Heard heard = w.listen(
        [&] {
            if (scanMode == u"2"_s)
                QTest::keyClick(w.talk->txtTalk, Qt::Key_Return);
            else
                QTest::mouseClick(button, Qt::LeftButton);
        },
        kVoiceHz.values(), 2400);
    QString described; // pitch@onset/length from the marker
    for (const HeardTone &t : heard.sounds)
        described +=
            u" %1@%2/%3"_s.arg(t.frequencyHz).arg(t.onsetMs - heard.markerMs).arg(t.durationMs);
    QFETCH(QList<int>, pitches);
    QVERIFY2(heard.markerMs >= 0 && heard.pitches == pitches, qPrintable(u"heard"_s + described));
    QVERIFY2(heard.sounds[0].onsetMs - heard.markerMs < kOnsetMs,
             qPrintable(u"began"_s + described));
    for (qsizetype i = 0; i < heard.sounds.size(); ++i) {
        const HeardTone &t = heard.sounds[i];
        QVERIFY2(std::abs(t.durationMs - kVoiceMs) < kWholeMs, qPrintable(described));
        if (i > 0)
            QVERIFY2(std::abs(t.onsetMs - heard.sounds[i - 1].onsetMs - 800) < kStepToleranceMs,
                     qPrintable(described));
    }
    // Said without touching the text.
    QCOMPARE(w.talk->txtTalk->text(), u"あい_"_s);
}

QTEST_MAIN(tst_quicklisten)
#include "tst_quicklisten.moc"
