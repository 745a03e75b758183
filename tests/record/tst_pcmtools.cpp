#include "RecordFakes.h"
#include "record/PcmTools.h"
#include "record/WavFile.h"

#include <QBuffer>
#include <QTest>
#include <QWaveDecoder>

namespace {

constexpr int kRate = 48000;

double rmsDb(const QList<qint16> &samples)
{
    double sum = 0.0;
    for (qint16 s : samples)
        sum += double(s) * s;
    return PcmTools::toDb(std::sqrt(sum / double(std::max<qsizetype>(1, samples.size()))));
}

double peakDb(const QList<qint16> &samples)
{
    int peak = 0;
    for (qint16 s : samples)
        peak = std::max(peak, std::abs(int(s)));
    return PcmTools::toDb(peak);
}

} // namespace

class TestPcmTools : public QObject
{
    Q_OBJECT

  private slots:
    void processTake_data();
    void processTake();
    void wavReadsBack_data();
    void wavReadsBack();
};

void TestPcmTools::processTake_data()
{
    QTest::addColumn<int>("leadMs");
    QTest::addColumn<int>("toneMs");
    QTest::addColumn<int>("tailMs");
    QTest::addColumn<double>("toneDb");
    QTest::addColumn<int>("lengthMs");
    QTest::addColumn<QString>("advice"); // s silent, c clipped, q too quiet, l too long

    QTest::newRow("tone at -6 dBFS") << 300 << 400 << 800 << -6.0 << 510 << "";
    QTest::newRow("speech from the first moment") << 0 << 400 << 800 << -6.0 << 480 << "";
    QTest::newRow("quiet speaker") << 300 << 400 << 800 << -40.0 << 510 << "q";
    QTest::newRow("too close: clipped") << 300 << 400 << 800 << 6.0 << 510 << "c";
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
    QFETCH(int, lengthMs);
    QFETCH(QString, advice);

    const PcmTools::Take take =
        PcmTools::processTake(Synth::take(leadMs, toneMs, tailMs, toneDb, kRate), kRate);

    QVERIFY2(std::abs(take.lengthMs() - lengthMs) <= 10,
             qPrintable(QString::number(take.lengthMs())));
    QCOMPARE(take.silent, advice.contains(u's'));
    QCOMPARE(take.clipped, advice.contains(u'c'));
    QCOMPARE(take.tooQuiet, advice.contains(u'q'));
    QCOMPARE(take.tooLong, advice.contains(u'l'));
    if (take.silent)
        return;
    QVERIFY2(peakDb(take.samples) <= PcmTools::kMaxPeakDb,
             qPrintable(QString::number(peakDb(take.samples))));
    // The tone itself, without the kept silence and the fades, is at the generated voices' level.
    const qsizetype from = qsizetype(kRate) * (std::min(leadMs, 30) + 5) / 1000;
    const qsizetype count = qsizetype(kRate) * (toneMs - 10) / 1000;
    const double voiced = rmsDb(take.samples.mid(from, count));
    QVERIFY2(std::abs(voiced - PcmTools::kTargetRmsDb) <= 1.0, qPrintable(QString::number(voiced)));
}

void TestPcmTools::wavReadsBack_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("ms");
    QTest::newRow("22050 Hz like the generated voices") << 22050 << 300;
    QTest::newRow("48 kHz microphone") << 48000 << 510;
    QTest::newRow("one sample") << 48000 << 0;
}

void TestPcmTools::wavReadsBack()
{
    QFETCH(int, rate);
    QFETCH(int, ms);
    QList<qint16> samples = Synth::tone(ms, 440.0, -3.0, rate);
    if (samples.isEmpty())
        samples.append(-32768);
    QByteArray bytes = WavFile::bytes(samples, rate);
    QCOMPARE(bytes.size(), 44 + samples.size() * 2);

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QWaveDecoder decoder(&buffer);
    QVERIFY(decoder.open(QIODevice::ReadOnly));
    QTRY_VERIFY(decoder.audioFormat().isValid());
    QCOMPARE(decoder.audioFormat().sampleRate(), rate);
    QCOMPARE(decoder.audioFormat().channelCount(), 1);
    QCOMPARE(decoder.audioFormat().sampleFormat(), QAudioFormat::Int16);
    const QByteArray pcm = decoder.readAll();
    QCOMPARE(pcm,
             QByteArray(reinterpret_cast<const char *>(samples.constData()), samples.size() * 2));
}

QTEST_GUILESS_MAIN(TestPcmTools)
#include "tst_pcmtools.moc"
