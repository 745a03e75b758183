#include "access/KeyCatcher.h"

#include "access/AccessTexts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {
// Keys the program sends itself or needs as a way out: taken as a switch they would act twice.
const char16_t *reservedReason(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return AccessTexts::kRefuseArrow;
    case Qt::Key_Shift:
        return AccessTexts::kRefuseShift;
    case Qt::Key_Backspace:
        return AccessTexts::kRefuseBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return AccessTexts::kRefuseTab;
    case Qt::Key_Escape:
        return AccessTexts::kRefuseEscape;
    default:
        return nullptr;
    }
}

// The key's portable name, or empty when the name does not lead back to the key.
QString nameOf(int key)
{
    const QString name = QKeySequence(key).toString(QKeySequence::PortableText);
    const QKeySequence back = QKeySequence::fromString(name, QKeySequence::PortableText);
    return back.count() == 1 && back[0].key() == key ? name : QString();
}
} // namespace

KeyCatcher::KeyCatcher(QWidget *parent) : QWidget(parent)
{
    cmdKey = new QPushButton(this);
    cmdKey->setObjectName(u"cmdKey"_s);
    cmdKey->setAutoDefault(false);
    // Wide enough for the request from the start, so the dialog does not jump when it shows.
    const QFontMetrics metrics = cmdKey->fontMetrics();
    cmdKey->setMinimumWidth(
        metrics.horizontalAdvance(QString::fromUtf16(AccessTexts::kPressKeyNow)) +
        metrics.height());
    lblReason = new QLabel(parent);
    lblReason->setObjectName(u"lblReason"_s);
    lblReason->setWordWrap(true);
    // Wrapped to the width it is given: a reason never widens the dialog.
    lblReason->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblReason->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cmdKey);
    connect(cmdKey, &QPushButton::clicked, this, [this] { listen(!m_listening); });
}

KeyCatcher::~KeyCatcher()
{
    listen(false);
}

void KeyCatcher::setKey(const QString &portableText)
{
    m_key = portableText;
    cmdKey->setText(m_key);
}

void KeyCatcher::listen(bool on)
{
    if (on == m_listening)
        return;
    m_listening = on;
    // Installed last, so seen first: the pressed key reaches no call, switch or dialog key.
    if (on) {
        qApp->installEventFilter(this);
        lblReason->hide();
    } else {
        qApp->removeEventFilter(this);
    }
    cmdKey->setText(on ? QString::fromUtf16(AccessTexts::kPressKeyNow) : m_key);
}

void KeyCatcher::take(int key)
{
    listen(false);
    QString reason;
    if (const char16_t *reserved = reservedReason(key))
        reason = QString::fromUtf16(reserved);
    else if (nameOf(key).isEmpty())
        reason = QString::fromUtf16(AccessTexts::kRefuseUnnamed);
    else if (m_check)
        reason = m_check(key);
    lblReason->setText(reason);
    lblReason->setVisible(!reason.isEmpty());
    if (!reason.isEmpty())
        return;
    setKey(nameOf(key));
    emit keyChanged(m_key);
}

bool KeyCatcher::eventFilter(QObject *watched, QEvent *event)
{
    Q_UNUSED(watched);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyRelease:
        return true;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat())
            take(key->key());
        return true;
    }
    default:
        return false;
    }
}
