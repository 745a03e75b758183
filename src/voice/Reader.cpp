#include "voice/Reader.h"

#include "app/AppTexts.h"
#include "app/frmTalk.h"
#include "compose/TextArea.h"
#include "platform/Clock.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "voice/SentenceReader.h"
#include "voice/SpeechEngine.h"
#include "voice/SpeechOutput.h"
#include "voice/ReadTexts.h"
#include "voice/Voice.h"
#include "voice/frmRead.h"

#include <QFrame>
#include <QPushButton>
#include <QTextDocument>

namespace {
constexpr qint64 kStepMs = 800;
constexpr qint64 kCatchUpMs = 100;
constexpr qint16 kStop = -1;

// The character at `index` of the box's Text, read from the document without copying the whole
// text (a long text is read step by step). Separators read as the Text shows them.
QString characterAt(const TextBox &box, int index)
{
    const QChar c = box.document()->characterAt(index);
    switch (c.unicode()) {
    case QChar::ParagraphSeparator:
    case QChar::LineSeparator:
        return QString(QChar(u'\n'));
    case QChar::Nbsp:
        return QString(QChar(u' '));
    default:
        return QString(c);
    }
}
} // namespace

Reader::Reader(frmTalk &talk) : m_talk(talk)
{
    QObject::connect(talk.cmdRead, &QPushButton::clicked, &talk, [this] { cmdRead_Click(); });
    // Ending the program ends a reading in progress at its next check.
    QObject::connect(&talk, &frmTalk::endRequested, &talk,
                     [&talk] { talk.state().gStopRead = kStop; });
}

Reader::~Reader() = default;

void Reader::cmdRead_Click()
{
    if (m_talk.state().beepOn())
        m_talk.services().beeper.beep();
    // Sentences: the first part is being made while the window gets ready.
    SpeechOutput *speech = m_talk.speech();
    std::optional<SentenceReader> sentences;
    if (speech && speech->speaksSentences()) {
        sentences.emplace(speech->engine(), speech->player(), m_talk.services().clock,
                          *m_talk.txtTalk);
        sentences->start(SpeechScript::parts(m_talk.txtTalk->text(), speech->readings()),
                         speech->settings());
    }
    TextArea::setWideSizes(m_talk);
    m_talk.services().events.yield();
    m_panel = new frmRead(m_talk);
    m_panel->show();
    m_talk.state().gStopRead = 0;
    m_talk.cmdRead->setEnabled(false);
    m_talk.cmdRead->setText(QString::fromUtf16(ReadTexts::kReadingCaption));
    // What the engine could not make is read character by character.
    const int first =
        sentences ? sentences->read([this] { return m_talk.state().gStopRead == kStop; }) : 0;
    if (first >= 0)
        readCharacters(first);
    finishReading();
}

void Reader::readCharacters(int first)
{
    TextBox &box = *m_talk.txtTalk;
    Services &services = m_talk.services();
    // The text may change during the yields; every step reads the current text.
    const int n = box.length();
    if (first > 0 && first < n)
        box.select(first, 1);
    qint64 due = 0;
    for (int i = first + 1; i <= n; ++i) {
        const int length = box.length();
        if (length == 0)
            return;
        const QString c = i <= length ? characterAt(box, i - 1) : QString();
        // The time the window takes between steps (repainting, a short handler) counts toward
        // the next step, so the characters keep their 0.8 s cadence instead of drifting later
        // step by step; after a longer pause (a handler that waited itself) a step starts anew.
        const qint64 now = services.clock.nowMs();
        const qint64 start = i > first + 1 && now - due <= kCatchUpMs ? due : now;
        m_talk.voice().play(c);
        services.clock.blockUntilPast(start, kStepMs);
        due = start + kStepMs + 1; // when the wait ends at the earliest
        services.events.yield();
        if (m_talk.state().gStopRead == kStop)
            return;
        box.setFocus();
        if (box.length() >= i + 1)
            box.select(i, 1);
        else
            box.setSelStart(i);
    }
}

void Reader::finishReading()
{
    if (m_panel && !m_panel->isHidden())
        m_panel->unload();
    m_panel.clear();
    TextBox &box = *m_talk.txtTalk;
    TextArea::ensureEndMarker(m_talk);
    box.select(box.length() - 1, 1);
    if (!m_talk.fraDay->isVisibleTo(&m_talk))
        TextArea::setNarrow(m_talk);
    m_talk.cmdRead->setText(QString::fromUtf16(AppTexts::kRead));
    m_talk.cmdRead->setEnabled(true);
}
