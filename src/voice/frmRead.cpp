#include "voice/frmRead.h"

#include "platform/DesignLayout.h"
#include "platform/Units.h"
#include "voice/ReadTexts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr qint64 kBackColour = 16744576;
constexpr int kClientWidth = 15300;
constexpr int kClientHeight = 3120;
constexpr int kTop = 8400; // from the top of the screen
} // namespace

frmRead::frmRead(QWidget &window, qint16 &stopRead)
    : QWidget(&window, Qt::Tool | Qt::WindowStaysOnTopHint), m_window(window), m_stopRead(stopRead)
{
    setObjectName(u"frmRead"_s);
    setWindowTitle(QString::fromUtf16(ReadTexts::kPanelCaption));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window keeps the focus, so the character being read stays highlighted.
    setAttribute(Qt::WA_ShowWithoutActivating);
    DesignLayout::setBackColour(this, kBackColour);

    lblLabel = new QLabel(QString::fromUtf16(ReadTexts::kStopLabel), this);
    lblLabel->setObjectName(u"lblLabel"_s);
    DesignLayout::setBackColour(lblLabel, kBackColour);
    DesignLayout::setFont(lblLabel, DesignLayout::Face::Gothic, 72, true);
    DesignLayout::place(lblLabel, QRect(2400, 660, 11475, 1515));
    lblLabel->installEventFilter(this);
    Form_Load();
}

void frmRead::Form_Load()
{
    const double scale = DesignLayout::scale(&m_window);
    DesignLayout::setScale(this, scale);
    resize(Units::twipsToPixels(kClientWidth, scale), Units::twipsToPixels(kClientHeight, scale));
    const QScreen *screen = m_window.screen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    move(origin.x(), origin.y() + Units::twipsToPixels(kTop, scale));
}

void frmRead::lblLabel_Click()
{
    m_stopRead = -1;
    unload();
}

void frmRead::unload()
{
    m_unloading = true;
    close();
}

void frmRead::closeEvent(QCloseEvent *event)
{
    if (m_unloading)
        event->accept();
    else
        event->ignore();
}

bool frmRead::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblLabel && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton &&
            lblLabel->rect().contains(mouse->position().toPoint())) {
            lblLabel_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
