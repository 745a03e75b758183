#include "voice/SentenceReader.h"

#include "platform/Clock.h"
#include "platform/PcmPlayer.h"
#include "platform/TextBox.h"
#include "voice/SpeechEngine.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace {
// How often the voice's place is looked at: the highlight and a stop follow within this.
constexpr int kTickMs = 10;
// Parts made ahead of the one playing: enough to bridge a slow run, few enough to keep memory
// low for a long diary entry.
constexpr int kAhead = 2;
} // namespace

SentenceReader::SentenceReader(SpeechEngine &engine, PcmPlayer &player, const Clock &clock,
                               TextBox &box)
    : m_engine(engine), m_player(player), m_clock(clock), m_box(box)
{
}

SentenceReader::~SentenceReader()
{
    QObject::disconnect(m_results);
}

void SentenceReader::start(const QList<SpeechScript::Part> &parts, const SpeechSettings &voice)
{
    m_parts = parts;
    m_voice = voice;
    m_made = QList<std::optional<SpokenPart>>(parts.size());
    m_results = QObject::connect(&m_engine, &SpeechEngine::made, &m_engine,
                                 [this](quint64 id, const SpokenPart &part) {
                                     const auto found = m_partOfRequest.constFind(id);
                                     if (found == m_partOfRequest.constEnd())
                                         return;
                                     m_made[*found] = part;
                                     if (m_onResult)
                                         m_onResult();
                                 });
    // The first part made while the text was composed is heard at once, before the window
    // gets ready.
    if (!parts.isEmpty())
        if (const SpokenPart *first = m_engine.madeAhead(parts.first().spoken, voice)) {
            m_made[0] = *first;
            m_requested = 1;
            advance();
        }
    requestAhead();
}

void SentenceReader::requestAhead()
{
    while (m_requested < m_parts.size() && m_requested <= m_current + kAhead) {
        // The first part is kept: reading the same text again (or after an edit further on)
        // plays it at once.
        const quint64 id = m_engine.make(m_parts[m_requested].spoken, m_voice, m_requested == 0);
        m_partOfRequest.insert(id, m_requested);
        ++m_requested;
    }
}

int SentenceReader::read(const std::function<bool()> &stopRequested)
{
    QEventLoop loop;
    std::optional<int> result;
    const auto check = [&] {
        if (result)
            return;
        if (stopRequested()) {
            result = -1;
        } else {
            const Step step = advance();
            if (step == Step::Done)
                result = -1;
            else if (step == Step::Failed)
                result = m_parts[m_current].textStart;
        }
        if (result)
            loop.quit();
    };
    m_onResult = check;
    QTimer ticks;
    ticks.setInterval(kTickMs);
    QObject::connect(&ticks, &QTimer::timeout, &loop, check);
    ticks.start();
    check();
    if (!result)
        loop.exec();
    m_onResult = nullptr;
    // Anything but the natural end (a stop, a failure, the program ending) silences the voice.
    if (!result || *result >= 0 || m_current < m_parts.size())
        stopAll();
    return result.value_or(-1);
}

SentenceReader::Step SentenceReader::advance()
{
    if (m_playing) {
        const qint64 elapsed = m_clock.nowMs() - m_startedMs;
        if (elapsed < m_made[m_current]->clip->durationMs()) {
            highlight(elapsed);
            return Step::Waiting;
        }
        m_playing = false;
        m_made[m_current].reset();
        ++m_current;
        requestAhead();
    }
    while (m_current < m_parts.size()) {
        const std::optional<SpokenPart> &part = m_made[m_current];
        if (!part)
            return Step::Waiting;
        if (part->outcome == SpokenPart::Outcome::Failed)
            return Step::Failed;
        if (part->outcome == SpokenPart::Outcome::Made) {
            m_player.play(part->clip);
            m_startedMs = m_clock.nowMs();
            m_playing = true;
            m_shownMora = -1;
            highlight(0);
            return Step::Waiting;
        }
        ++m_current; // nothing to say in it
        requestAhead();
    }
    return Step::Done;
}

void SentenceReader::highlight(qint64 elapsedMs)
{
    const QList<EngineTrace::Mora> &morae = m_made[m_current]->morae;
    const auto after = std::upper_bound(
        morae.begin(), morae.end(), elapsedMs,
        [](qint64 ms, const EngineTrace::Mora &mora) { return ms < mora.startMs; });
    const int index = std::max(0, int(after - morae.begin()) - 1);
    if (morae.isEmpty() || index == m_shownMora)
        return;
    m_shownMora = index;
    const EngineTrace::Mora &mora = morae[index];
    const QList<SpeechScript::Source> &sources = m_parts[m_current].sources;
    int start = sources[mora.first].start;
    int end = start;
    for (int k = mora.first; k < mora.first + mora.count && k < sources.size(); ++k) {
        start = std::min(start, sources[k].start);
        end = std::max(end, sources[k].start + sources[k].length);
    }
    // The text may have been edited while it is read: never select beyond it.
    const int length = m_box.length();
    if (start >= length)
        return;
    m_box.setFocus();
    m_box.select(start, std::min(end, length) - start);
}

void SentenceReader::stopAll()
{
    m_player.stop();
    m_engine.cancel();
    m_playing = false;
}
