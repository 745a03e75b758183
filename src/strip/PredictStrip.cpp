#include "strip/PredictStrip.h"

#include "compose/TextArea.h"
#include "platform/DesignButton.h"
#include "platform/DesignLayout.h"
#include "platform/TextBox.h"
#include "platform/Units.h"
#include "predict/PredictSession.h"

#include <QEvent>
#include <QHBoxLayout>

namespace {
constexpr double kCandidatePoints = 26;
constexpr qint64 kCandidateBack = 14745599; // a pale yellow, apart from the board's white
} // namespace

PredictStrip::PredictStrip(QWidget &textFrame, TextBox &txtTalk, PredictSession &session,
                           Speak speak)
    : QFrame(&textFrame), m_box(txtTalk), m_session(session), m_speak(std::move(speak))
{
    setObjectName(QStringLiteral("fraPredict"));
    setAccessibleName(QStringLiteral("予測"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 0);
    row->setSpacing(4);
    for (int i = 0; i < Predictor::kMostShown; ++i) {
        auto *b = new DesignButton(QString(), this);
        b->setObjectName(QStringLiteral("cmdPredict_%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        // Five equal places, whatever the candidates' lengths; a long one shrinks on its line.
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
        b->setOneLine(true);
        DesignLayout::setFont(b, DesignLayout::Face::Gothic, kCandidatePoints, true);
        DesignLayout::setBackColour(b, kCandidateBack);
        connect(b, &QPushButton::clicked, this, [this, i] { take(i); });
        row->addWidget(b, 1);
        cmdPredict[std::size_t(i)] = b;
    }
    m_box.installEventFilter(this);
    connect(&m_box, &TextBox::cursorPositionChanged, this, &PredictStrip::refresh);
    connect(&m_session, &PredictSession::becameReady, this, &PredictStrip::refresh);
    followText();
    refresh();
}

void PredictStrip::entered()
{
    m_session.passed(m_shown);
    refresh();
}

void PredictStrip::refresh()
{
    // Hidden (the list over the board is chosen), it offers nothing and nothing sinks.
    m_shown = isHidden() ? QList<Predictor::Candidate>()
                         : m_session.predictor().candidates(m_box.text(), m_box.selStart());
    for (int i = 0; i < Predictor::kMostShown; ++i) {
        QPushButton *b = cmdPredict[std::size_t(i)];
        b->setText(i < m_shown.size() ? m_shown[i].text : QString());
        b->setEnabled(i < m_shown.size());
    }
}

void PredictStrip::take(int index)
{
    if (index < 0 || index >= m_shown.size())
        return;
    const Predictor::Candidate c = m_shown[index];
    const QString before = m_box.text();
    const qsizetype caret = m_box.selStart();
    qsizetype newCaret = caret;
    const QString after = Predictor::taking(before, caret, c, &newCaret);
    if (after.size() > m_box.maxLength())
        return;
    const qsizetype kept = std::min(caret - c.replaceFrom, c.text.size());
    m_shown.clear();
    m_box.setText(after);
    m_box.setSelStart(int(newCaret));
    // As after a board entry: the text has the focus, the character after the caret selected.
    m_box.setFocus();
    TextArea::selectNextIfNone(m_box);
    m_session.taken(c);
    if (m_speak)
        m_speak(c.text.sliced(kept));
    refresh();
}

bool PredictStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_box && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        followText();
    return QFrame::eventFilter(watched, event);
}

void PredictStrip::followText()
{
    // As high as the room kept for it below the text: the text frame reaches under the board.
    const QRect text = m_box.geometry();
    const int height = Units::twipsToPixels(kHeightTwips, DesignLayout::scale(&m_box));
    setGeometry(text.left(), text.bottom() + 1, text.width(), height);
}
