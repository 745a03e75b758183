#include "record/PcmTools.h"

#include <algorithm>
#include <cmath>

namespace PcmTools {

namespace {

constexpr int kFloorWindowMs = 200;
constexpr double kFloorPercentile = 0.2;
constexpr double kAboveFloorDb = 12.0;
constexpr double kMinThresholdDb = -50.0;
constexpr int kLeadMs = 30;
constexpr int kTailMs = 80;
constexpr int kFadeMs = 5;
constexpr int kClipCount = 3;
constexpr double kQuietPeakDb = -35.0;

qsizetype samplesFor(int ms, int sampleRate)
{
    return qsizetype(qint64(sampleRate) * ms / 1000);
}

double percentile(QList<double> values, double fraction)
{
    if (values.isEmpty())
        return kSilenceDb;
    const auto index = qsizetype(fraction * double(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + index, values.end());
    return values[index];
}

double peakOf(const QList<qint16> &samples)
{
    int peak = 0;
    for (qint16 s : samples)
        peak = std::max(peak, std::abs(int(s)));
    return peak;
}

} // namespace

double toDb(double amplitude)
{
    if (amplitude <= 0.0)
        return kSilenceDb;
    return std::max(kSilenceDb, 20.0 * std::log10(amplitude / 32768.0));
}

QList<double> frameLevels(const QList<qint16> &samples, int sampleRate)
{
    QList<double> levels;
    const qsizetype frame = std::max<qsizetype>(1, samplesFor(kFrameMs, sampleRate));
    for (qsizetype start = 0; start < samples.size(); start += frame) {
        const qsizetype end = std::min(samples.size(), start + frame);
        double sum = 0.0;
        for (qsizetype i = start; i < end; ++i)
            sum += double(samples[i]) * double(samples[i]);
        levels.append(toDb(std::sqrt(sum / double(end - start))));
    }
    return levels;
}

double speechThreshold(const QList<double> &levels)
{
    const qsizetype opening = std::min<qsizetype>(levels.size(), kFloorWindowMs / kFrameMs);
    const double floor = std::min(percentile(levels.first(opening), kFloorPercentile),
                                  percentile(levels, kFloorPercentile));
    return std::max(kMinThresholdDb, floor + kAboveFloorDb);
}

SpeechSpan findSpeech(const QList<qint16> &samples, int sampleRate)
{
    const QList<double> levels = frameLevels(samples, sampleRate);
    const double threshold = speechThreshold(levels);
    const auto above = [threshold](double level) { return level > threshold; };
    const auto first = std::find_if(levels.cbegin(), levels.cend(), above);
    if (first == levels.cend())
        return {};
    const auto last = std::find_if(levels.crbegin(), levels.crend(), above);
    const qsizetype onset = first - levels.cbegin();
    const qsizetype offset = levels.size() - 1 - (last - levels.crbegin());

    const qsizetype frame = std::max<qsizetype>(1, samplesFor(kFrameMs, sampleRate));
    double energy = 0.0;
    qsizetype voicedSamples = 0;
    for (qsizetype f = onset; f <= offset; ++f) {
        if (!above(levels[f]))
            continue;
        const qsizetype end = std::min(samples.size(), (f + 1) * frame);
        for (qsizetype i = f * frame; i < end; ++i)
            energy += double(samples[i]) * double(samples[i]);
        voicedSamples += end - f * frame;
    }
    SpeechSpan span;
    span.found = true;
    span.begin = std::max<qsizetype>(0, onset * frame - samplesFor(kLeadMs, sampleRate));
    span.end = std::min(samples.size(), (offset + 1) * frame + samplesFor(kTailMs, sampleRate));
    span.voicedRmsDb = toDb(std::sqrt(energy / double(voicedSamples)));
    return span;
}

int Take::lengthMs() const
{
    return sampleRate > 0 ? int(qint64(samples.size()) * 1000 / sampleRate) : 0;
}

Take processTake(const QList<qint16> &raw, int sampleRate)
{
    Take take;
    take.sampleRate = sampleRate;
    take.clipped = std::count_if(raw.cbegin(), raw.cend(),
                                 [](qint16 s) { return s == 32767 || s == -32768; }) >= kClipCount;
    const SpeechSpan span = findSpeech(raw, sampleRate);
    if (!span.found) {
        take.silent = true;
        take.samples = raw;
        return take;
    }
    take.tooQuiet = toDb(peakOf(raw)) < kQuietPeakDb;

    QList<qint16> trimmed = raw.mid(span.begin, span.end - span.begin);
    const double peakDb = toDb(peakOf(trimmed));
    take.gainDb = std::min(kTargetRmsDb - span.voicedRmsDb, kMaxPeakDb - peakDb);
    const double gain = std::pow(10.0, take.gainDb / 20.0);
    const qsizetype fade = std::min(trimmed.size() / 2, samplesFor(kFadeMs, sampleRate));
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        double factor = gain;
        if (i < fade)
            factor *= double(i) / double(fade);
        else if (i >= trimmed.size() - fade)
            factor *= double(trimmed.size() - 1 - i) / double(fade);
        // Rounding towards zero keeps the peak at or below kMaxPeakDb.
        trimmed[i] = qint16(std::clamp(std::trunc(trimmed[i] * factor), -32767.0, 32767.0));
    }
    take.samples = std::move(trimmed);
    take.tooLong = take.lengthMs() > kTooLongMs;
    return take;
}

} // namespace PcmTools
