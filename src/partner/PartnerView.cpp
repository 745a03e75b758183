#include "partner/PartnerView.h"

#include "compose/TextArea.h"
#include "partner/PartnerPlace.h"
#include "partner/PartnerTexts.h"
#include "platform/TextBox.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kMinPixels = 12;
constexpr int kMaxPixels = 2000;
constexpr int kSpokenShare = 5; // the last sentence takes a fifth of the height
constexpr QSize kWindowSize{800, 480};

// The largest pixel size at which `text` fits `box` wrapped (binary search).
int largestFitting(const QString &text, QFont font, const QSize &box)
{
    int low = kMinPixels;
    int high = kMaxPixels;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        font.setPixelSize(middle);
        const QRect needed = QFontMetrics(font).boundingRect(
            QRect(QPoint(0, 0), QSize(box.width(), kMaxPixels * 100)),
            Qt::TextWrapAnywhere | Qt::AlignCenter, text);
        if (needed.width() <= box.width() && needed.height() <= box.height())
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

// Where `window` comes nearest to where it is while lying wholly within `area`.
QPoint within(const QRect &window, const QRect &area)
{
    return {std::clamp(window.x(), area.left(),
                       std::max(area.left(), area.right() - window.width() + 1)),
            std::clamp(window.y(), area.top(),
                       std::max(area.top(), area.bottom() - window.height() + 1))};
}

QLabel *label(QWidget *parent, const QString &name, const char16_t *accessible)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setAccessibleName(QString::fromUtf16(accessible));
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    l->setFocusPolicy(Qt::NoFocus);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    // Its size comes from the window, never from the type it is given.
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    return l;
}
} // namespace

PartnerView::PartnerView(TextBox &composition, QWidget &userWindow, SettingsStore &store)
    : QWidget(nullptr, Qt::Window | Qt::WindowDoesNotAcceptFocus), m_composition(composition),
      m_userWindow(userWindow), m_store(store), m_settings(PartnerSettings::read(store))
{
    setObjectName(u"frmPartner"_s);
    setWindowTitle(QString::fromUtf16(PartnerTexts::kCaption));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    lblText = label(this, u"lblPartnerText"_s, PartnerTexts::kTextName);
    lblSpoken = label(this, u"lblPartnerSpoken"_s, PartnerTexts::kSpokenName);
    QPalette spoken = colours;
    spoken.setColor(QPalette::WindowText, QColor(0x30, 0x30, 0x90));
    lblSpoken->setPalette(spoken);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblText, kSpokenShare - 1);
    layout->addWidget(lblSpoken, 1);
    resize(kWindowSize);
    connect(&composition, &TextBox::textChanged, this, &PartnerView::showComposition);
    for (auto signal : {&QGuiApplication::screenAdded, &QGuiApplication::screenRemoved})
        connect(qGuiApp, signal, this, [this] {
            if (isVisible())
                place();
        });
    // Where the window manager puts the user's window, and where it is moved, decides too.
    userWindow.installEventFilter(this);
    showComposition();
}

PartnerView::~PartnerView() = default;

void PartnerView::restore()
{
    if (m_settings.on)
        setOpen(true);
}

void PartnerView::setOpen(bool open)
{
    if (open == isVisible())
        return;
    if (open)
        place();
    else
        hide();
    m_settings.on = open;
    store();
}

void PartnerView::setSpoken(const QString &sentence)
{
    lblSpoken->setText(sentence);
    fitText();
}

void PartnerView::place()
{
    QList<PartnerPlace::Screen> places;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens)
        places.append({screen->name(), screen->geometry()});
    // Where the user's window is seen, not the screen Qt holds it on: when a screen goes, Qt
    // moves the windows it held to the primary screen, wherever they are. Before the window is
    // first shown, the screen it is meant for (placed again once it is shown).
    QScreen *userScreen = m_userWindow.screen();
    const QPoint user = m_userWindow.isVisible() || !userScreen ? m_userWindow.geometry().center()
                                                                : userScreen->geometry().center();
    const int chosen = PartnerPlace::choose(places, user, m_settings.screen);
    if (chosen < 0) {
        // No other screen: an ordinary window, on the user's screen, where the carer puts it.
        if (isFullScreen() || !isVisible()) {
            QScreen *seen = QGuiApplication::screenAt(user);
            if (!seen)
                seen = userScreen;
            if (seen)
                setScreen(seen);
            showNormal();
            resize(kWindowSize);
            // Back from a screen that went: brought wholly onto the user's.
            if (seen)
                move(within(frameGeometry(), seen->availableGeometry()));
        }
        return;
    }
    QScreen *screen = screens[chosen];
    if (isFullScreen() && isVisible() && geometry() == screen->geometry())
        return;
    setScreen(screen);
    setGeometry(screen->geometry());
    // As showFullScreen(), without asking to be made active.
    setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) |
                   Qt::WindowFullScreen);
    show();
    if (m_settings.screen != screen->name()) {
        m_settings.screen = screen->name();
        store();
    }
}

bool PartnerView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_userWindow && isVisible() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Show))
        place();
    return QWidget::eventFilter(watched, event);
}

void PartnerView::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_settings.on = false;
    store();
}

void PartnerView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitText();
}

void PartnerView::showComposition()
{
    lblText->setText(TextArea::withoutEndMarkers(m_composition.text()));
    fitText();
}

void PartnerView::fitText()
{
    for (QLabel *l : {lblText, lblSpoken}) {
        l->setAccessibleName(l->text().isEmpty()
                                 ? QString::fromUtf16(l == lblText ? PartnerTexts::kTextName
                                                                   : PartnerTexts::kSpokenName)
                                 : l->text());
        if (l->text().isEmpty())
            continue;
        QFont font = l->font();
        font.setPixelSize(largestFitting(l->text(), font, l->contentsRect().size()));
        l->setFont(font);
    }
}

void PartnerView::store()
{
    // The view works as set for this session even when the store fails.
    m_settings.write(m_store);
}
