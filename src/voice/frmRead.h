#pragma once

#include <QWidget>

class QLabel;

// The stop panel shown while the text is read aloud: a topmost window whose label stops the
// reading (gStopRead). Only the program closes it; it deletes itself once closed. It stands at
// the scale of `window` on its screen.
class frmRead : public QWidget
{
    Q_OBJECT

  public:
    frmRead(QWidget &window, qint16 &stopRead);

    // Places the panel at the left edge of the main window's screen, at that window's scale.
    void Form_Load();
    // Asks the reading to stop and closes the panel.
    void lblLabel_Click();
    // Closes the panel on the program's behalf.
    void unload();

    QLabel *lblLabel = nullptr;

  protected:
    // Refuses a close from the close box or the system menu.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QWidget &m_window;
    qint16 &m_stopRead;
    bool m_unloading = false;
};
