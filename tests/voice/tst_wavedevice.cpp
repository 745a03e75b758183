#include "Listening.h"
#include "platform/PcmCache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray le(quint32 v, int bytes)
{
    QByteArray b(4, Qt::Uninitialized);
    qToLittleEndian(v, b.data());
    return b.left(bytes);
}

// A WAV file: format tag, channels and bits, the sample bytes, chunks before the data chunk,
// and the length the data chunk claims (-1: its true length).
QByteArray wav(int tag, int channels, int bits, const QByteArray &data,
               const QByteArray &before = {}, qint64 claimed = -1)
{
    const int rate = 8000;
    QByteArray fmt = le(quint32(tag == 3 || tag == 1 ? tag : 0xFFFE), 2) + le(channels, 2) +
                     le(rate, 4) + le(rate * channels * bits / 8, 4) + le(channels * bits / 8, 2) +
                     le(bits, 2);
    if (tag != 1 && tag != 3) // extensible: the real tag starts the sub-format
        fmt += le(22, 2) + le(bits, 2) + le(0, 4) + le(quint32(tag & 0xFF), 2) + QByteArray(14, 0);
    const QByteArray body = "WAVEfmt " + le(fmt.size(), 4) + fmt + before + "data" +
                            le(quint32(claimed < 0 ? data.size() : claimed), 4) + data;
    return "RIFF" + le(body.size(), 4) + body;
}

QByteArray s16(const QList<qint16> &samples)
{
    QByteArray b;
    for (const qint16 s : samples)
        b += le(quint16(s), 2);
    return b;
}

QByteArray f32(const QList<float> &samples)
{
    QByteArray b;
    for (const float s : samples)
        b += le(std::bit_cast<quint32>(s), 4);
    return b;
}

} // namespace

class tst_wavedevice : public QObject
{
    Q_OBJECT

  private slots:
    void decode_data();
    void decode();
    void cacheFollowsTheFile();
};

void tst_wavedevice::decode_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("channels"); // 0: not playable
    QTest::addColumn<QByteArray>("samples");

    const QByteArray pcm16 = s16({0x1234, -2, 32767, -32768});
    QTest::newRow("16-bit") << wav(1, 1, 16, pcm16) << 1 << pcm16;
    QTest::newRow("8-bit is unsigned")
        << wav(1, 1, 8, QByteArray("\x80\xff\x00", 3)) << 1 << s16({0, 32512, -32768});
    QTest::newRow("24-bit") << wav(1, 1, 24, QByteArray("\x56\x34\x12\x00\x00\x80", 6)) << 1
                            << s16({0x1234, -32768});
    QTest::newRow("32-bit") << wav(1, 1, 32, le(0x12345678, 4)) << 1 << s16({0x1234});
    QTest::newRow("float, clamped")
        << wav(3, 1, 32, f32({0.5f, -1.0f, 2.0f, std::numeric_limits<float>::quiet_NaN()})) << 1
        << s16({16384, -32767, 32767, 0});
    QTest::newRow("extensible stereo") << wav(0x101, 2, 16, pcm16) << 2 << pcm16;
    QTest::newRow("odd chunk before data is padded")
        << wav(1, 1, 16, pcm16, "LIST" + le(3, 4) + "abc" + '\0') << 1 << pcm16;
    QTest::newRow("cut-off recording: what is there")
        << wav(1, 2, 16, pcm16 + "\x01", {}, 0xFFFFFFFF) << 2 << pcm16;
    QTest::newRow("not RIFF") << QByteArray("RIFX") + wav(1, 1, 16, pcm16).mid(4) << 0
                              << QByteArray();
    QTest::newRow("compressed") << wav(0x102, 1, 16, pcm16) << 0 << QByteArray();
    QTest::newRow("no channels") << wav(1, 0, 16, pcm16) << 0 << QByteArray();
    QTest::newRow("data before format")
        << QByteArray("RIFF\x0c\0\0\0WAVEdata\0\0\0\0", 20) << 0 << QByteArray();
    QTest::newRow("header only") << wav(1, 1, 16, {}).left(30) << 0 << QByteArray();
}

void tst_wavedevice::decode()
{
    QFETCH(QByteArray, file);
    QFETCH(int, channels);
    QFETCH(QByteArray, samples);
    const std::optional<PcmClip> clip = decodeWav(file);
    QCOMPARE(clip.has_value(), channels > 0);
    if (!clip)
        return;
    QCOMPARE(clip->channels, channels);
    QCOMPARE(clip->sampleRate, 8000);
    QCOMPARE(clip->samples, samples);
}

void tst_wavedevice::cacheFollowsTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"あ.wav"_s);
    const auto write = [&](int hz, const QDateTime &time) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(toWav(makeTone(hz, 100, 0.5)));
        file.flush();
        QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
    };
    const QDateTime first = QDateTime::currentDateTime().addSecs(-60);
    write(440, first);
    PcmCache cache;
    const std::shared_ptr<const PcmClip> original = cache.clip(path);
    QVERIFY(original);
    QCOMPARE(cache.clip(path), original); // kept, not decoded again

    // A recording of the same length put in its place is heard from the next press on.
    write(880, first.addSecs(1));
    const std::shared_ptr<const PcmClip> replaced = cache.clip(path);
    QVERIFY(replaced);
    QCOMPARE(replaced->samples, makeTone(880, 100, 0.5).samples);

    QFile::remove(path);
    QVERIFY(!cache.clip(path));
    QFile garbage(path);
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a wave file");
    garbage.close();
    QVERIFY(!cache.clip(path));
}

QTEST_MAIN(tst_wavedevice)
#include "tst_wavedevice.moc"
