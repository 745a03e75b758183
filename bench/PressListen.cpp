#include "PressListen.h"

#include "SoundWindow.h"
#include "voice/EngineFiles.h"

#include <QTest>
#include <algorithm>

namespace {
constexpr int kSettleMs = 200;
// A sound belongs to the marker before it unless it begins this close to the next marker: the
// marker and the sound take the same road through the server, and either may come out first.
constexpr double kNextMarkerMs = 100;
} // namespace

PressListen::PressListen(SoundWindow &window) : m_window(window)
{
    QTest::qWait(kSettleMs);
}

void PressListen::press(const std::function<void()> &press)
{
    m_marked.start();
    m_window.playMarker();
    QTest::qWait(kMarkerLeadMs);
    m_presses.append(sinceMarkerMs());
    press();
}

QList<HeardSound> PressListen::stop()
{
    const QByteArray samples = m_recorder.stop();
    const QList<HeardTone> markers =
        heardTones(samples, MonitorRecorder::kRate, {SoundWindow::kMarkerHz});
    QList<HeardSound> heard;
    for (qsizetype i = 0; i < markers.size(); ++i) {
        const double from = markers[i].onsetMs;
        const double to = i + 1 < markers.size() ? markers[i + 1].onsetMs - kNextMarkerMs
                                                 : std::numeric_limits<double>::max();
        HeardSound sound = heardSound(samples, MonitorRecorder::kRate, markers, from, to);
        if (sound.firstMs >= 0) {
            sound.firstMs -= from;
            sound.lastMs -= from;
        }
        heard.append(sound);
    }
    return heard;
}

QList<double> PressListen::onsets(const QList<HeardSound> &heard) const
{
    QList<double> onsets;
    for (qsizetype i = 0; i < heard.size(); ++i)
        if (heard[i].firstMs >= 0)
            onsets.append(heard[i].firstMs - m_presses.value(i, kMarkerLeadMs));
    return onsets;
}

double percentile(QList<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[qsizetype(p * double(values.size() - 1) + 0.5)];
}

QString sentenceListeningUnavailable()
{
    return listeningUnavailable() + EngineFiles::debian().missingPackage();
}
