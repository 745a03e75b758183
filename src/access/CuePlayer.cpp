#include "access/CuePlayer.h"

#include "platform/PcmPlayer.h"
#include "voice/VoiceReadings.h"

namespace {
constexpr int kRate = 44100;
constexpr int kTickMs = 40;
constexpr int kTickHz = 1000;
constexpr int kWrapHz = 1500;

PcmClip doubleTick(double level)
{
    PcmClip clip = makeTone(kTickHz, kTickMs, level, kRate);
    const QByteArray tick = clip.samples;
    clip.samples.append(QByteArray(tick.size(), '\0')); // a gap as long as a tick
    clip.samples.append(tick);
    return clip;
}
} // namespace

QString CuePlayer::captionCue(const QString &caption)
{
    QString name = caption;
    name.remove(u'&').remove(u'/');
    name = name.simplified().remove(u' ');
    return name.isEmpty() ? QString() : VoiceReadings::cue(name);
}

bool CuePlayer::isBoardText(const QString &cue)
{
    return !cue.isEmpty() && !VoiceReadings::isCue(cue);
}

int CuePlayer::voiceMs(const QString &text)
{
    const auto voice = text.isEmpty() ? nullptr : m_voices.clip(m_folders.voiceFile(text));
    return voice ? int(voice->durationMs()) : 0;
}

CuePlayer::CuePlayer(ProgramFolders folders) : m_folders(std::move(folders))
{
    m_sink = [this](const QString &, std::shared_ptr<const PcmClip> clip) {
        if (clip)
            m_player->play(std::move(clip));
        else if (m_player)
            m_player->stop();
    };
}

CuePlayer::~CuePlayer() = default;

void CuePlayer::configure(int mode, int volumePercent)
{
    m_mode = mode;
    m_level = volumePercent / 100.0;
    m_tones[int(Moment::Step)] =
        std::make_shared<PcmClip>(makeTone(kTickHz, kTickMs, m_level, kRate));
    m_tones[int(Moment::Wrap)] =
        std::make_shared<PcmClip>(makeTone(kWrapHz, kTickMs, m_level, kRate));
    m_tones[int(Moment::Restart)] = std::make_shared<PcmClip>(doubleTick(m_level));
    // The stream is opened only for a user who wants cues, and ahead of the first one.
    if (m_mode != 0 && !m_player)
        m_player = std::make_unique<PcmPlayer>("cue");
}

std::shared_ptr<const PcmClip> CuePlayer::clipFor(const QString &cue, Moment moment)
{
    if (m_mode == 0 || (m_mode == 2 && cue.isEmpty()))
        return nullptr;
    if (m_mode == 2) {
        if (const auto voice = m_voices.clip(m_folders.voiceFile(cue)))
            return voice;
        if (const auto word = wordClip(cue))
            return word;
    }
    return m_tones[int(moment)];
}

std::shared_ptr<const PcmClip> CuePlayer::wordClip(const QString &word)
{
    // A predicted word has no voice file of its own: its characters' voices, one after another.
    if (word.size() < 2 || !isBoardText(word))
        return nullptr;
    auto joined = std::make_shared<PcmClip>();
    for (const QChar c : word) {
        const auto voice = m_voices.clip(m_folders.voiceFile(QString(c)));
        if (!voice || (joined->sampleRate != 0 && (voice->sampleRate != joined->sampleRate ||
                                                   voice->channels != joined->channels)))
            return nullptr;
        joined->sampleRate = voice->sampleRate;
        joined->channels = voice->channels;
        joined->samples += voice->samples;
    }
    return joined;
}

int CuePlayer::lengthMs(const QString &cue, Moment moment)
{
    const auto clip = clipFor(cue, moment);
    return clip ? int(clip->durationMs()) : 0;
}

void CuePlayer::play(const QString &cue, Moment moment)
{
    auto clip = clipFor(cue, moment);
    if (!clip)
        return;
    // Voice files are played at the cue's level; the ticks were made at it.
    if (m_mode == 2 && clip != m_tones[int(moment)])
        clip = std::make_shared<PcmClip>(scaled(*clip, m_level));
    m_sink(cue, std::move(clip));
}

void CuePlayer::stop()
{
    if (m_mode != 0)
        m_sink({}, nullptr);
}
