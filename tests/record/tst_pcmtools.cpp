#include "RecordFakes.h"
#include "record/PcmTools.h"
#include "record/TakeRecorder.h"

#include <QSignalSpy>
#include <QTest>

// Processing a take and stopping capture by itself.
class TestPcmTools : public QObject
{
    Q_OBJECT

  private slots:
    void processTake_data();
    void processTake();
    void clickHeldAtTheCeiling();
    void stopsByItself_data();
    void stopsByItself();
};

void TestPcmTools::processTake_data()
{
    QTest::addColumn<int>("leadMs");
    QTest::addColumn<int>("toneMs");
    QTest::addColumn<int>("tailMs");
    QTest::addColumn<double>("toneDb");
    QTest::addColumn<int>("lengthMs");
    QTest::addColumn<QString>("advice"); // s silent, c clipped, q too quiet, l too long
    QTest::newRow("speech from the first moment") << 0 << 400 << 800 << -6.0 << 480 << "";
    QTest::newRow("quiet speaker") << 300 << 400 << 800 << -40.0 << 510 << "q";
    QTest::newRow("too close: just clipped") << 300 << 400 << 800 << 0.1 << 510 << "c";
    QTest::newRow("longer than a reading step") << 200 << 700 << 500 << -6.0 << 810 << "l";
    QTest::newRow("just within a reading step") << 200 << 600 << 500 << -6.0 << 710 << "";
    QTest::newRow("nothing said") << 1500 << 0 << 0 << -6.0 << 1500 << "s";
    QTest::newRow("stopped mid-word") << 300 << 400 << 0 << -6.0 << 430 << "";
}

void TestPcmTools::processTake()
{
    QFETCH(int, leadMs);
    QFETCH(int, toneMs);
    QFETCH(int, tailMs);
    QFETCH(double, toneDb);
    constexpr int rate = FakeAudioInput::kRate;
    const PcmTools::Take take =
        PcmTools::processTake(Synth::take(leadMs, toneMs, tailMs, toneDb), rate);
    QFETCH(int, lengthMs);
    QVERIFY2(std::abs(take.lengthMs() - lengthMs) <= 10,
             qPrintable(QString::number(take.lengthMs())));
    QTEST(QString::fromLatin1(QByteArray(take.silent ? "s" : "") + (take.clipped ? "c" : "") +
                              (take.tooQuiet ? "q" : "") + (take.tooLong ? "l" : "")),
          "advice");
    if (take.silent)
        return;
    const qint16 loudest =
        std::ranges::max(take.samples, {}, [](qint16 s) { return std::abs(int(s)); });
    QVERIFY(PcmTools::toDb(std::abs(int(loudest))) <= PcmTools::kMaxPeakDb);
    // The tone itself, without the kept silence and the fades, is at the generated voices' level.
    const QList<qint16> voiced =
        take.samples.mid(rate * (std::min(leadMs, 30) + 5) / 1000, rate * (toneMs - 10) / 1000);
    const double power = std::accumulate(voiced.cbegin(), voiced.cend(), 0.0,
                                         [](double sum, qint16 s) { return sum + double(s) * s; });
    const double voicedDb = PcmTools::toDb(std::sqrt(power / double(voiced.size())));
    QVERIFY2(std::abs(voicedDb - PcmTools::kTargetRmsDb) <= 1.0,
             qPrintable(QString::number(voicedDb)));
}

// A click far louder than quiet speech: levelling stops where the click reaches the ceiling.
void TestPcmTools::clickHeldAtTheCeiling()
{
    QList<qint16> raw = Synth::take(300, 400, 800, -30.0);
    raw[FakeAudioInput::kRate / 2] = 16384; // -6 dBFS, inside the tone
    const PcmTools::Take take = PcmTools::processTake(raw, FakeAudioInput::kRate);
    const qint16 loudest =
        std::ranges::max(take.samples, {}, [](qint16 s) { return std::abs(int(s)); });
    const double peakDb = PcmTools::toDb(std::abs(int(loudest)));
    QVERIFY2(peakDb <= PcmTools::kMaxPeakDb && peakDb > PcmTools::kMaxPeakDb - 0.5,
             qPrintable(QString::number(peakDb)));
}

void TestPcmTools::stopsByItself_data()
{
    QTest::addColumn<QList<qint16>>("input");
    QTest::addColumn<int>("stopsAtMs");
    QTest::newRow("speech then quiet") << Synth::take(300, 400, 2000, -6.0) << 1400;
    QTest::newRow("pause inside a word")
        << Synth::take(300, 200, 300, -6.0) + Synth::take(0, 200, 2000, -6.0) << 1700;
    QTest::newRow("talking on: the longest take") << Synth::tone(5000, 220.0, -6.0) << 3000;
    QTest::newRow("nothing said") << Synth::take(5000, 0, 0, -6.0) << 3000;
}

void TestPcmTools::stopsByItself()
{
    QFETCH(QList<qint16>, input);
    FakeAudioInput microphone;
    TakeRecorder recorder(microphone);
    QSignalSpy finished(&recorder, &TakeRecorder::finished);
    QVERIFY(recorder.start());
    const qsizetype stoppedAtMs = microphone.feed(input) * 1000 / FakeAudioInput::kRate;
    QCOMPARE(finished.count(), 1);
    QVERIFY(!recorder.isRecording() && !microphone.isCapturing());
    QFETCH(int, stopsAtMs);
    QVERIFY2(std::abs(stoppedAtMs - stopsAtMs) <= 10, qPrintable(QString::number(stoppedAtMs)));
}

QTEST_GUILESS_MAIN(TestPcmTools)
#include "tst_pcmtools.moc"
