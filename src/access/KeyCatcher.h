#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

// Shows the keys set for something (a switch, the call) and takes a new one by "press the key
// now": after its button, the next key pressed becomes the key. A key that may not be used
// (arrows, Shift, Backspace, Tab, Esc) is refused with the reason shown, and the keys stay.
// Keys are held as QKeySequence's portable text ("Space, 1").
class KeyCatcher : public QWidget
{
    Q_OBJECT

  public:
    // Why a key the switches could take is still refused here (it belongs to something else),
    // or nullptr when it may be taken.
    using Check = std::function<const char16_t *(int key)>;

    KeyCatcher(const QString &keys, QWidget *parent = nullptr);

    QString keys() const { return m_keys; }
    void setKeys(const QString &keys);
    bool catching() const { return m_catching; }
    void setCheck(Check check) { m_check = std::move(check); }
    // The line that asks for the key or says why one was refused; an owner whose catcher is
    // narrow lays it out where a line of text has room.
    QLabel *message() const { return lblMessage; }

  signals:
    void keysChanged(const QString &keys);

  protected:
    bool event(QEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

  private:
    void startCatching();
    void stopCatching(const QString &message);
    void showKeys();

    QString m_keys;
    Check m_check;
    bool m_catching = false;
    QLabel *lblKeys = nullptr;
    QPushButton *cmdCatch = nullptr;
    QLabel *lblMessage = nullptr;
};
