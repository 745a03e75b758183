#pragma once

#include <QFont>
#include <QPushButton>

// The main window's push button. A caption wider than the button (the design's tall narrow
// buttons) is drawn one character a line, centred, in a font made smaller only when even
// that does not fit; a one-line button keeps it on one line in a font as large as fits; text()
// stays the caption, so screen readers read it whole. Buttons of the pads can be pressed with any
// mouse button, as their mouse-down handlers expect.
class DesignButton : public QPushButton
{
    Q_OBJECT

  public:
    struct Caption
    {
        QString text; // lines separated by '\n'
        QFont font;
    };

    DesignButton(const QString &caption, QWidget *parent);

    // How `caption` is drawn in a box of `box` pixels with `font`.
    static Caption layoutCaption(const QString &caption, const QFont &font, const QSize &box,
                                 bool oneLine = false);
    // How this button's caption is drawn now.
    Caption caption() const;
    // The box the caption is drawn in: the button inside its border.
    QSize captionBox() const;

    void setAnyMouseButton(bool on) { m_anyMouseButton = on; }
    // A caption too wide shrinks on one line instead of standing one character a line.
    void setOneLine(bool on) { m_oneLine = on; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

  private:
    bool m_anyMouseButton = false;
    bool m_oneLine = false;
};
