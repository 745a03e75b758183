#include "FileBytes.h"
#include "Listening.h"
#include "platform/PcmCache.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace Qt::Literals::StringLiterals;

namespace {

template <typename T> QByteArray le(const QList<T> &values)
{
    QByteArray bytes(values.size() * qsizetype(sizeof(T)), Qt::Uninitialized);
    qToLittleEndian<T>(values.constData(), values.size(), bytes.data());
    return bytes;
}

// An 8 kHz WAV file: format tag (above 3: extensible, the tag's low byte its sub-format),
// channels and bits, the sample bytes, chunks before the data chunk, and the length the data
// chunk claims (0: its true length).
QByteArray wav(quint16 tag, quint16 channels, quint16 bits, const QByteArray &data,
               const QByteArray &before = {}, quint32 claimed = 0)
{
    const quint16 frame = channels * bits / 8;
    QByteArray fmt = le<quint16>({tag > 3 ? quint16(0xFFFE) : tag, channels}) +
                     le<quint32>({8000, 8000u * frame}) + le<quint16>({frame, bits});
    if (tag > 3)
        fmt += le<quint16>({22, bits, 0, 0, quint16(tag & 0xFF)}) + QByteArray(14, 0);
    const QByteArray body = "WAVEfmt " + le<quint32>({quint32(fmt.size())}) + fmt + before +
                            "data" + le<quint32>({claimed ? claimed : quint32(data.size())}) + data;
    return "RIFF" + le<quint32>({quint32(body.size())}) + body;
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

    const QByteArray pcm16 = le<qint16>({0x1234, -2, 32767, -32768});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    QTest::newRow("16-bit") << wav(1, 1, 16, pcm16) << 1 << pcm16;
    QTest::newRow("8-bit is unsigned")
        << wav(1, 1, 8, QByteArray("\x80\xff\x00", 3)) << 1 << le<qint16>({0, 32512, -32768});
    QTest::newRow("24-bit") << wav(1, 1, 24, QByteArray("\x56\x34\x12\x00\x00\x80", 6)) << 1
                            << le<qint16>({0x1234, -32768});
    QTest::newRow("float, clamped") << wav(3, 1, 32, le<float>({0.5f, -1.0f, 2.0f, nan})) << 1
                                    << le<qint16>({16384, -32767, 32767, 0});
    QTest::newRow("extensible stereo") << wav(0x101, 2, 16, pcm16) << 2 << pcm16;
    QTest::newRow("odd chunk before data is padded")
        << wav(1, 1, 16, pcm16, "LIST" + le<quint32>({3}) + "abc" + '\0') << 1 << pcm16;
    QTest::newRow("cut-off recording: what is there")
        << wav(1, 2, 16, pcm16 + "\x01", {}, 0xFFFFFFFF) << 2 << pcm16;
    QTest::newRow("not RIFF") << "RIFX" + wav(1, 1, 16, pcm16).mid(4) << 0 << QByteArray();
    QTest::newRow("compressed") << wav(0x102, 1, 16, pcm16) << 0 << QByteArray();
    QTest::newRow("data before format")
        << QByteArray("RIFF\x0c\0\0\0WAVEdata\0\0\0\0", 20) << 0 << QByteArray();
    QTest::newRow("header only") << wav(1, 1, 16, {}).left(30) << 0 << QByteArray();
    // 30 s at the file's own format is the longest voice.
    const QByteArray thirtySeconds(30 * 8000 * 2 * 2, '\x01');
    QTest::newRow("30 s is a voice") << wav(1, 2, 16, thirtySeconds) << 2 << thirtySeconds;
    QTest::newRow("longer is refused")
        << wav(1, 2, 16, thirtySeconds + "\x01\x01\x01\x01") << 0 << QByteArray();
}

void tst_wavedevice::decode()
{
    QFETCH(QByteArray, file);
    const std::optional<PcmClip> clip = decodeWav(file);
    QTEST(clip ? clip->channels : 0, "channels");
    QTEST(clip ? clip->samples : QByteArray(), "samples");
    QCOMPARE(clip ? clip->sampleRate : 8000, 8000);
}

void tst_wavedevice::cacheFollowsTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"あ.wav"_s);
    const QDateTime first = QDateTime::currentDateTime().addSecs(-60);
    const auto write = [&](int hz, const QDateTime &time) {
        QFile file(path);
        QVERIFY(FileBytes::write(path, toWav(makeTone(hz, 100, 0.5))) &&
                file.open(QIODevice::Append) &&
                file.setFileTime(time, QFileDevice::FileModificationTime));
    };
    write(440, first);
    PcmCache cache;
    const std::shared_ptr<const PcmClip> original = cache.clip(path);
    QVERIFY(original);
    QCOMPARE(cache.clip(path), original); // kept, not decoded again

    // A recording of the same length put in its place is heard from the next press on.
    write(880, first.addSecs(1));
    QCOMPARE(cache.clip(path)->samples, makeTone(880, 100, 0.5).samples);
    QFile::remove(path);
    QVERIFY(!cache.clip(path));

    // A 400 MB recording named like a voice (sparse: it takes no disk) is turned away from its
    // header, never read.
    constexpr quint32 kBig = 400 * 1024 * 1024;
    QVERIFY(FileBytes::write(path, wav(1, 1, 16, {}, {}, kBig - 44)) && QFile::resize(path, kBig));
    QVERIFY(!cache.clip(path));
}

QTEST_MAIN(tst_wavedevice)
#include "tst_wavedevice.moc"
