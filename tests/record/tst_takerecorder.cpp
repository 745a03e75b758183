#include "RecordFakes.h"
#include "record/TakeRecorder.h"

#include <QSignalSpy>
#include <QTest>

// When capture stops by itself: after the speech has ended, or at the longest take.
class TestTakeRecorder : public QObject
{
    Q_OBJECT

  private slots:
    void stopsByItself_data();
    void stopsByItself();
};

void TestTakeRecorder::stopsByItself_data()
{
    constexpr int rate = 48000;
    QTest::addColumn<QList<qint16>>("input");
    QTest::addColumn<int>("stopsAtMs");

    QTest::newRow("speech then quiet") << Synth::take(300, 400, 2000, -6.0, rate) << 1400;
    QTest::newRow("pause inside a word")
        << Synth::take(300, 200, 300, -6.0, rate) + Synth::take(0, 200, 2000, -6.0, rate) << 1700;
    QTest::newRow("talking on") << Synth::tone(5000, 220.0, -6.0, rate) << 3000;
    QTest::newRow("nothing said") << Synth::silence(5000, rate) << 3000;
}

void TestTakeRecorder::stopsByItself()
{
    QFETCH(QList<qint16>, input);
    QFETCH(int, stopsAtMs);
    FakeAudioInput microphone;
    TakeRecorder recorder(microphone);
    QSignalSpy finished(&recorder, &TakeRecorder::finished);

    QVERIFY(recorder.start());
    const qsizetype taken = microphone.feed(input);

    QCOMPARE(finished.count(), 1);
    QVERIFY(!recorder.isRecording());
    QVERIFY(!microphone.isCapturing());
    const qsizetype stoppedAtMs = taken * 1000 / microphone.rate;
    QVERIFY2(std::abs(stoppedAtMs - stopsAtMs) <= 10, qPrintable(QString::number(stoppedAtMs)));
}

QTEST_GUILESS_MAIN(TestTakeRecorder)
#include "tst_takerecorder.moc"
