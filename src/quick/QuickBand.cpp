#include "quick/QuickBand.h"

#include "platform/DesignButton.h"
#include "platform/DesignLayout.h"
#include "platform/Units.h"

#include <QFontMetrics>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kGap = 90;           // twips between buttons and at the ends
constexpr int kPadding = 12;       // pixels kept free at each side of a caption
constexpr double kMinPoints = 9;   // a caption never gets smaller than this
constexpr qint64 kBack = 14745599; // a pale yellow: apart from the board and the foot buttons
} // namespace

QuickBand::QuickBand(int widthTwips, QWidget *parent) : QFrame(parent), m_widthTwips(widthTwips)
{
    setObjectName(u"fraQuick"_s);
    setFrameShape(QFrame::NoFrame);
    for (int i = 0; i < int(m_buttons.size()); ++i) {
        auto *b = new DesignButton(QString(), this);
        b->setObjectName(u"cmdQuick_%1"_s.arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        DesignLayout::setFont(b, DesignLayout::Face::PGothic, kMaxPoints, true);
        DesignLayout::setBackColour(b, kBack);
        connect(b, &QPushButton::clicked, this, [this, b] { emit answered(b->text()); });
        b->hide();
        m_buttons[size_t(i)] = b;
    }
}

std::array<QPushButton *, QuickSettings::kMaxPhrases> QuickBand::buttons() const
{
    std::array<QPushButton *, QuickSettings::kMaxPhrases> result{};
    std::copy(m_buttons.cbegin(), m_buttons.cend(), result.begin());
    return result;
}

void QuickBand::setPhrases(const QStringList &phrases)
{
    const int count = int(std::min<qsizetype>(phrases.size(), qsizetype(m_buttons.size())));
    const int width = count > 0 ? (m_widthTwips - kGap * (count + 1)) / count : 0;
    for (int i = 0; i < int(m_buttons.size()); ++i) {
        DesignButton *b = m_buttons[size_t(i)];
        const bool used = i < count;
        b->setText(used ? phrases[i] : QString());
        b->setAccessibleName(b->text());
        if (used)
            DesignLayout::place(b,
                                QRect(kGap + i * (width + kGap), kGap, width, kHeight - 2 * kGap));
        b->setVisible(used);
    }
    fitCaptions();
}

void QuickBand::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    fitCaptions();
}

void QuickBand::fitCaptions()
{
    // Measured at the largest type, at the window's scale; then all shrink by the worst ratio.
    double ratio = 1.0;
    for (DesignButton *b : m_buttons) {
        if (b->text().isEmpty())
            continue;
        DesignLayout::setFontPoints(b, kMaxPoints);
        const double across =
            Units::twipsToPixels(DesignLayout::rect(b).width(), DesignLayout::scaleAcross(b));
        const int needed = QFontMetrics(b->font()).horizontalAdvance(b->text()) + 2 * kPadding;
        if (needed > 0)
            ratio = std::min(ratio, across / needed);
    }
    const double points = std::max(kMinPoints, std::floor(kMaxPoints * ratio * 4) / 4);
    for (DesignButton *b : m_buttons)
        if (!b->text().isEmpty())
            DesignLayout::setFontPoints(b, points);
}
