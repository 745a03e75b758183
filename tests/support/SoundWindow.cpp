#include "SoundWindow.h"

#include "FileBytes.h"
#include "Listening.h"
#include "platform/ProgramFolders.h"
#include "platform/QtWaveDevice.h"

#include <QFileInfo>
#include <QTest>

SoundWindow::SoundWindow(Voices voices)
    : m_markerTone(std::make_shared<const PcmClip>(makeTone(kMarkerHz, 30, 0.5, 22050)))
{
    if (voices == Voices::Heard) {
        wave = std::make_unique<QtWaveDevice>();
        beeper = std::make_unique<SystemBeeper>();
        return;
    }
    auto recording = std::make_unique<RecordingWaveDevice>();
    recording->clock = &clock;
    wave = std::move(recording);
    beeper = std::make_unique<RecordingBeeper>();
}

bool writeTone(const QString &folder, const QString &text, int hz, int ms)
{
    return FileBytes::write(folder + u'/' + text + QStringLiteral(".wav"),
                            toWav(makeTone(hz, ms, 0.5, 22050)));
}

bool SoundWindow::show(const std::optional<EngineFiles> &files)
{
    talk = std::make_unique<frmTalk>(state,
                                     Services{clock, events, *beeper, clipboard, *wave, settings,
                                              busy, asker, ProgramFolders::portable(dir.path())});
    if (files)
        talk->installSpeech(voiceSettings, *files);
    talk->show();
    return QTest::qWaitForWindowExposed(talk.get());
}

void SoundWindow::playMarker()
{
    m_marker.play(m_markerTone);
}

Heard byMarker(const QByteArray &samples, const QList<int> &pitches)
{
    Heard heard;
    int markers = 0;
    for (const HeardTone &t : heardTones(samples, MonitorRecorder::kRate,
                                         pitches + QList<int>{SoundWindow::kMarkerHz})) {
        if (t.frequencyHz == SoundWindow::kMarkerHz) {
            heard.markerMs = ++markers == 1 ? t.onsetMs : -1;
            continue;
        }
        heard.sounds.append(t);
        heard.pitches.append(t.frequencyHz);
    }
    return heard;
}

Heard SoundWindow::listen(const std::function<void()> &press, const QList<int> &pitches,
                          int afterMs)
{
    MonitorRecorder recorder;
    if (!recorder.isRecording())
        return {};
    QTest::qWait(100); // some silence before the marker
    playMarker();
    press();
    QTest::qWait(afterMs);
    return byMarker(recorder.stop(), pitches);
}

QStringList playedNames(const WaveDevice &wave)
{
    QStringList names;
    if (const auto *recording = dynamic_cast<const RecordingWaveDevice *>(&wave))
        for (const QString &path : recording->played)
            names.append(QFileInfo(path).fileName());
    return names;
}
