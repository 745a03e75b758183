#include "voice/FirstPartAhead.h"

#include "platform/Clock.h"
#include "platform/TextBox.h"
#include "voice/SpeechEngine.h"
#include "voice/SpeechOutput.h"
#include "voice/SpeechScript.h"

namespace {
// The first part lies well within this many characters of the text's start (a longer text is
// not copied whole at each pause).
constexpr int kLookedAt = 4 * SpeechScript::kMaxPart;
} // namespace

FirstPartAhead::FirstPartAhead(SpeechOutput &speech, TextBox &box, const Clock &clock)
    : m_speech(speech), m_box(box), m_clock(clock)
{
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &FirstPartAhead::poll);
    connect(&box, &TextBox::textChanged, this, &FirstPartAhead::textChanged);
}

void FirstPartAhead::textChanged()
{
    if (m_speech.settings().mode != 1)
        return;
    m_changedMs = m_clock.nowMs();
    m_changed = true;
    m_quiet.start(kQuietMs);
}

void FirstPartAhead::poll()
{
    if (!m_changed)
        return;
    const qint64 left = kQuietMs - (m_clock.nowMs() - m_changedMs);
    if (left > 0) {
        m_quiet.start(int(left));
        return;
    }
    m_changed = false;
    if (!m_speech.speaksSentences())
        return;
    const QList<SpeechScript::Part> parts =
        SpeechScript::parts(m_box.text().left(kLookedAt), m_speech.readings());
    if (!parts.isEmpty())
        m_speech.engine().makeAhead(parts.first().spoken, m_speech.settings());
}
