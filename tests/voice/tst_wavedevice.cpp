#include "platform/QtWaveDevice.h"

#include <QAudioDevice>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The whole sequence of one playback; returns how long it took.
qint64 playFile(QtWaveDevice &device, const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    device.command(u"Close"_s);
    device.setDeviceType(u"WaveAudio"_s);
    device.setFileName(path);
    device.command(u"Open"_s);
    device.command(u"Prev"_s);
    device.command(u"Play"_s);
    return timer.elapsed();
}

// Far below any recording's length: the sequence must return at once.
constexpr qint64 kNoBlockMs = 250;

} // namespace

class tst_wavedevice : public QObject
{
    Q_OBJECT

  private slots:
    void missingFileIsSilence();
    void playsGeneratedVoice();
};

void tst_wavedevice::missingFileIsSilence()
{
    QTemporaryDir dir;
    QtWaveDevice device;
    QVERIFY(playFile(device, QDir(dir.path()).filePath(u"無い.wav"_s)) < kNoBlockMs);
    QVERIFY(!device.isPlaying());
    QVERIFY(playFile(device, QString()) < kNoBlockMs);
    QVERIFY(!device.isPlaying());
    // Commands without an open file do nothing either.
    device.command(u"Close"_s);
    device.command(u"Play"_s);
    QVERIFY(!device.isPlaying());
}

void tst_wavedevice::playsGeneratedVoice()
{
    const QString path = QDir(QStringLiteral(TALK_BUILT_PROGRAM_DIR)).filePath(u"あ.wav"_s);
    if (!QFileInfo(path).isFile())
        QSKIP("no generated voice file あ.wav in the program folder");
    QtWaveDevice device;
    // With or without a sound device, the sequence returns at once.
    QVERIFY(playFile(device, path) < kNoBlockMs);
    if (QMediaDevices::audioOutputs().isEmpty())
        QSKIP("no audio output device");
    QTRY_VERIFY(device.isPlaying());
    // The next playback's "Close" cuts the sound off.
    device.command(u"Close"_s);
    QVERIFY(!device.isPlaying());
}

QTEST_MAIN(tst_wavedevice)
#include "tst_wavedevice.moc"
