#include "RecordFakes.h"
#include "platform/QtAudioInput.h"
#include "platform/QtTakePlayer.h"
#include "record/TakeRecorder.h"

#include <QMediaDevices>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

// A tone played into the test sound server's null sink is recorded from that sink's monitor
// through the real audio input and found in the take.
class TestRecordLive : public QObject
{
    Q_OBJECT

  private slots:
    void recordsAPlayedTone();
};

void TestRecordLive::recordsAPlayedTone()
{
    if (qEnvironmentVariableIsEmpty("TALK_TEST_SINK"))
        QSKIP("TALK_TEST_SINK is not set: no test sound server to record from");
    constexpr double kToneHz = 440.0;
    const QString sink = qEnvironmentVariable("TALK_TEST_SINK");
    // Qt lists no monitor sources, so the sink's monitor is offered as an input of its own.
    const QString source = u"talk_record_test_%1"_s.arg(QCoreApplication::applicationPid());
    QProcess pactl;
    pactl.start(u"pactl"_s, {u"load-module"_s, u"module-remap-source"_s,
                             u"master="_s + sink + u".monitor"_s, u"source_name="_s + source});
    QVERIFY2(pactl.waitForFinished() && pactl.exitCode() == 0,
             "pactl could not offer the monitor as an input");
    const QString module = QString::fromUtf8(pactl.readAllStandardOutput()).trimmed();
    const auto unload = qScopeGuard([&] {
        QProcess::execute(u"pactl"_s, {u"unload-module"_s, module});
    });
    const auto device = [](const QList<QAudioDevice> &devices, const QString &id) {
        const auto found = std::ranges::find(devices, id.toUtf8(), &QAudioDevice::id);
        return found == devices.cend() ? QAudioDevice() : *found;
    };
    QTRY_VERIFY_WITH_TIMEOUT(!device(QMediaDevices::audioInputs(), source).isNull(), 30000);
    QtAudioInput microphone(device(QMediaDevices::audioInputs(), source));
    QtTakePlayer speaker(device(QMediaDevices::audioOutputs(), sink));
    QVERIFY2(microphone.isAvailable(), "the test sound server offers no audio input");
    TakeRecorder recorder(microphone);

    QVERIFY(recorder.start());
    QTimer::singleShot(
        300, this, [&] { speaker.play(Synth::tone(400, kToneHz, -6.0), FakeAudioInput::kRate); });
    // The recorder stops by itself once the tone has ended (at the latest after 3 s of sound).
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.isRecording(), 30000);
    const PcmTools::Take take = recorder.take();
    QVERIFY(!take.silent);

    // The tone's length and pitch, from its rising zero crossings.
    QList<qsizetype> crossings;
    for (qsizetype i = 1; i < take.samples.size(); ++i) {
        if (take.samples[i - 1] < 0 && take.samples[i] >= 0)
            crossings.append(i);
    }
    QVERIFY(crossings.size() > 2);
    const double seconds = double(crossings.last() - crossings.first()) / take.sampleRate;
    QVERIFY2(seconds > 0.3 && seconds < 0.5, qPrintable(QString::number(seconds)));
    const double hz = double(crossings.size() - 1) / seconds;
    QVERIFY2(std::abs(hz - kToneHz) < kToneHz * 0.15, qPrintable(QString::number(hz)));
}

QTEST_MAIN(TestRecordLive)
#include "tst_recordlive.moc"
