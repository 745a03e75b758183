#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

// A key chosen by pressing it. The button shows the key's name; pressed, it asks for the key
// and takes the next one pressed anywhere in the program (nothing else acts on it). Keys the
// program itself needs (arrows, Shift, Backspace, Tab, Esc), keys with no single name, and
// keys `check` refuses leave the key as it was, and the reason shows in `lblReason`, which the
// owner lays out where a line of text has room.
class KeyCatcher : public QWidget
{
    Q_OBJECT

  public:
    // Returns why a key cannot be taken, or an empty text when it can.
    using Check = std::function<QString(int key)>;

    explicit KeyCatcher(QWidget *parent);
    ~KeyCatcher() override;

    // The key as QKeySequence portable text ("F12", "Space").
    QString key() const { return m_key; }
    void setKey(const QString &portableText);
    void setCheck(Check check) { m_check = std::move(check); }
    bool isListening() const { return m_listening; }

    QPushButton *cmdKey = nullptr;
    QLabel *lblReason = nullptr;

  signals:
    void keyChanged(const QString &portableText);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void listen(bool on);
    void take(int key);

    QString m_key;
    Check m_check;
    bool m_listening = false;
};
