#pragma once

#include "partner/PartnerSettings.h"

#include <QWidget>

class QLabel;
class SettingsStore;
class TextBox;

// The partner's view: a window of its own showing the composition (without the end marker) in
// the largest type that fits, as the user writes, and the last sentence spoken under it. Full
// screen on a screen other than the user's when there is one, following screens as they come
// and go; else an ordinary window the carer places and sizes. It never takes the focus, and a
// press on it does nothing; closing it only closes it (and is remembered in section "PARTNER").
class PartnerView : public QWidget
{
    Q_OBJECT

  public:
    PartnerView(TextBox &composition, QWidget &userWindow, SettingsStore &store);
    ~PartnerView() override;

    // Opens the view when the stored setting says so.
    void restore();
    // Opens or closes it, and stores that.
    void setOpen(bool open);
    bool isOpen() const { return isVisible(); }
    void setSpoken(const QString &sentence);
    // Puts the view on the screen it belongs on now.
    void place();

    QLabel *lblText = nullptr;
    QLabel *lblSpoken = nullptr;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    void showComposition();
    void fitText();
    void store();

    TextBox &m_composition;
    QWidget &m_userWindow;
    SettingsStore &m_store;
    PartnerSettings m_settings;
};
