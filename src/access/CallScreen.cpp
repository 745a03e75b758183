#include "access/CallScreen.h"

#include "access/AccessTexts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr QRgb kBackground = 0xFFD600; // a warning yellow, seen across a room
constexpr QRgb kStopColour = 0xC62828;

QFont sized(QFont font, double points)
{
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}
} // namespace

CallScreen::CallScreen(QWidget *owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(u"frmCall"_s);
    setWindowTitle(QString::fromUtf16(AccessTexts::kCalling));
    setWindowModality(Qt::ApplicationModal);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(kBackground));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);

    auto *calling = new QLabel(QString::fromUtf16(AccessTexts::kCalling), this);
    calling->setObjectName(u"lblCalling"_s);
    calling->setAlignment(Qt::AlignCenter);
    calling->setFont(sized(font(), 72));

    cmdStop = new QPushButton(QString::fromUtf16(AccessTexts::kStopCall), this);
    cmdStop->setObjectName(u"cmdStop"_s);
    cmdStop->setFocusPolicy(Qt::NoFocus);
    cmdStop->setFont(sized(font(), 96));
    cmdStop->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    cmdStop->setStyleSheet(
        u"QPushButton { background: #%1; color: white; border-radius: 24px; }"_s.arg(
            kStopColour & 0xFFFFFF, 6, 16, QChar(u'0')));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 32, 48, 48);
    layout->setSpacing(32);
    layout->addWidget(calling);
    layout->addWidget(cmdStop, 1);
}
