#include "access/KeyCatcher.h"

#include "access/AccessTexts.h"
#include "access/SwitchKeys.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

KeyCatcher::KeyCatcher(const QString &keys, QWidget *parent) : QWidget(parent), m_keys(keys)
{
    setFocusPolicy(Qt::ClickFocus);
    lblKeys = new QLabel(this);
    lblKeys->setObjectName(u"lblKeys"_s);
    cmdCatch = new QPushButton(QString::fromUtf16(AccessTexts::kCatchKey), this);
    cmdCatch->setObjectName(u"cmdCatch"_s);
    cmdCatch->setAutoDefault(false);
    lblMessage = new QLabel(this);
    lblMessage->setObjectName(u"lblMessage"_s);
    lblMessage->setWordWrap(true);
    QFont small = lblMessage->font();
    small.setPointSizeF(small.pointSizeF() * 0.7);
    small.setBold(false);
    lblMessage->setFont(small);
    lblMessage->hide();
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblKeys, 0, 0);
    layout->addWidget(cmdCatch, 0, 1);
    layout->addWidget(lblMessage, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    connect(cmdCatch, &QPushButton::clicked, this, &KeyCatcher::startCatching);
    showKeys();
}

void KeyCatcher::setKeys(const QString &keys)
{
    m_keys = keys;
    showKeys();
}

void KeyCatcher::showKeys()
{
    const QKeySequence sequence = QKeySequence::fromString(m_keys, QKeySequence::PortableText);
    lblKeys->setText(sequence.toString(QKeySequence::NativeText));
    lblKeys->setAccessibleName(lblKeys->text());
}

void KeyCatcher::startCatching()
{
    m_catching = true;
    lblMessage->setText(QString::fromUtf16(AccessTexts::kPressKeyNow));
    lblMessage->show();
    setFocus(Qt::OtherFocusReason);
}

void KeyCatcher::stopCatching(const QString &message)
{
    m_catching = false;
    lblMessage->setText(message);
    lblMessage->setVisible(!message.isEmpty());
}

void KeyCatcher::focusOutEvent(QFocusEvent *event)
{
    // Clicking elsewhere ends the wait without changing anything.
    if (m_catching)
        stopCatching({});
    QWidget::focusOutEvent(event);
}

bool KeyCatcher::event(QEvent *event)
{
    // While waiting, every key is for this widget: Tab must not move on, nor Esc close the
    // dialog, nor Return press its button.
    if (!m_catching ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return QWidget::event(event);
    event->accept();
    if (event->type() == QEvent::ShortcutOverride)
        return true;
    const auto *key = static_cast<const QKeyEvent *>(event);
    const int code = SwitchKeys::normalised(key->key());
    const char16_t *reason = SwitchKeys::refusal(code);
    if (!reason && m_check)
        reason = m_check(code);
    if (reason) {
        lblMessage->setText(QString::fromUtf16(reason));
        return true; // still waiting: the next key may be a good one
    }
    m_keys = SwitchKeys::names({code});
    showKeys();
    stopCatching({});
    emit keysChanged(m_keys);
    return true;
}
