#pragma once

#include <QPlainTextEdit>

// A multi-line text box addressed as the design does: Text, SelStart, SelLength, all in
// UTF-16 code units. Setting Text leaves a plain caret at the start. MaxLength limits typing
// on the keyboard only; text the program places is never cut.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    int length() const;

    int selStart() const;
    // Moves the caret, leaving nothing selected.
    void setSelStart(int pos);
    int selLength() const;
    // Selects `length` characters from SelStart (clamped to the text).
    void setSelLength(int length);
    // Selects [start, start + length).
    void select(int start, int length);

    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length) { m_maxLength = length; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    int m_maxLength = 0;
};
