#include "record/SpeechWatch.h"

#include "record/PcmTools.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr qsizetype kFloorFrames = 200 / PcmTools::kFrameMs;
constexpr qsizetype kEndFrames = SpeechWatch::kEndSilenceMs / PcmTools::kFrameMs;
} // namespace

SpeechWatch::SpeechWatch(int sampleRate)
    : m_frameSamples(std::max(1, sampleRate * PcmTools::kFrameMs / 1000))
{
}

void SpeechWatch::feed(const qint16 *samples, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i) {
        m_frameEnergy += double(samples[i]) * double(samples[i]);
        if (++m_frameFill < m_frameSamples)
            continue;
        m_levels.append(PcmTools::toDb(std::sqrt(m_frameEnergy / double(m_frameFill))));
        m_frameEnergy = 0.0;
        m_frameFill = 0;
        update();
    }
}

double SpeechWatch::latestLevelDb() const
{
    return m_levels.isEmpty() ? PcmTools::kSilenceDb : m_levels.last();
}

void SpeechWatch::update()
{
    if (m_ended || m_levels.size() < kFloorFrames + kEndFrames)
        return;
    // The threshold follows the take, as the trimming after it will.
    const double threshold = PcmTools::speechThreshold(m_levels);
    const auto above = [threshold](double level) { return level > threshold; };
    const auto tail = m_levels.cend() - kEndFrames;
    m_ended =
        std::any_of(m_levels.cbegin(), tail, above) && std::none_of(tail, m_levels.cend(), above);
}
