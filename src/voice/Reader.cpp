#include "voice/Reader.h"

#include "compose/TextArea.h"
#include "core/AppState.h"
#include "core/AppTexts.h"
#include "core/ScreenAreas.h"
#include "core/Services.h"
#include "platform/Clock.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "voice/ReadTexts.h"
#include "voice/SentenceReader.h"
#include "voice/SpeechEngine.h"
#include "voice/SpeechOutput.h"
#include "voice/Voice.h"
#include "voice/frmRead.h"

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

Reader::Reader(QPushButton &cmdRead, const ComposeControls &compose, ScreenAreas &areas,
               Voice &voice, const Options &options, qint16 &stopRead, Services &services,
               QWidget &window)
    : m_cmdRead(cmdRead), m_compose(compose), m_areas(areas), m_voice(voice), m_options(options),
      m_stopRead(stopRead), m_services(services), m_window(window)
{
    QObject::connect(&cmdRead, &QPushButton::clicked, &window, [this] { cmdRead_Click(); });
}

Reader::~Reader() = default;

void Reader::cmdRead_Click()
{
    if (m_options.beepOn())
        m_services.beeper.beep();
    // Sentences: the first part is being made while the window gets ready.
    SpeechOutput *speech = m_speech;
    TextBox &box = *m_compose.txtTalk;
    if (m_saidListener)
        m_saidListener(TextArea::withoutEndMarkers(box.text()));
    std::optional<SentenceReader> sentences;
    if (speech && speech->speaksSentences()) {
        sentences.emplace(speech->engine(), speech->player(), m_services.clock, box);
        sentences->start(SpeechScript::parts(box.text(), speech->readings()), speech->settings());
    }
    TextArea::setWideSizes(m_compose);
    m_services.events.yield();
    m_panel = new frmRead(m_window, m_stopRead);
    m_panel->show();
    m_stopRead = 0;
    m_cmdRead.setEnabled(false);
    m_cmdRead.setText(QString::fromUtf16(ReadTexts::kReadingCaption));
    // What the engine could not make is read character by character.
    const int first = sentences ? sentences->read([this] { return m_stopRead == kStop; }) : 0;
    if (first >= 0)
        readCharacters(first);
    finishReading();
}

void Reader::readCharacters(int first)
{
    TextBox &box = *m_compose.txtTalk;
    Services &services = m_services;
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
        m_voice.play(c);
        services.clock.blockUntilPast(start, kStepMs);
        due = start + kStepMs + 1; // when the wait ends at the earliest
        services.events.yield();
        if (m_stopRead == kStop)
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
    TextBox &box = *m_compose.txtTalk;
    TextArea::ensureEndMarker(box);
    box.select(box.length() - 1, 1);
    if (!m_areas.shown(ScreenAreas::Area::DiaryButtons))
        TextArea::setNarrow(m_compose);
    m_cmdRead.setText(QString::fromUtf16(AppTexts::kRead));
    m_cmdRead.setEnabled(true);
}
