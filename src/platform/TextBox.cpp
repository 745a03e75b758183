#include "platform/TextBox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

TextBox::TextBox(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

QString TextBox::text() const
{
    return toPlainText();
}

void TextBox::setText(const QString &text)
{
    setPlainText(text);
    setSelStart(0);
}

int TextBox::length() const
{
    // The document holds one extra paragraph separator at its end.
    return document()->characterCount() - 1;
}

int TextBox::selStart() const
{
    return textCursor().selectionStart();
}

void TextBox::setSelStart(int pos)
{
    QTextCursor c = textCursor();
    c.setPosition(std::clamp(pos, 0, length()));
    setTextCursor(c);
}

int TextBox::selLength() const
{
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TextBox::setSelLength(int len)
{
    select(selStart(), len);
}

void TextBox::select(int start, int len)
{
    const int total = length();
    start = std::clamp(start, 0, total);
    const int end = std::clamp(start + std::max(0, len), start, total);
    QTextCursor c = textCursor();
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool inserts = !typed.isEmpty() && typed.at(0).isPrint();
    if (m_maxLength > 0 && inserts && length() - selLength() + typed.size() > m_maxLength) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::insertFromMimeData(const QMimeData *source)
{
    if (m_maxLength <= 0 || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // A keyboard paste (Ctrl+V) counts as typing: take what fits.
    const int room = m_maxLength - (length() - selLength());
    if (room <= 0)
        return;
    insertPlainText(source->text().left(room));
}
