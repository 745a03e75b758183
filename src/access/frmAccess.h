#pragma once

#include "access/AccessSettings.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QDoubleSpinBox;
class QPushButton;
class QSpinBox;
class KeyCatcher;
class QVBoxLayout;
class SettingsStore;

// The access settings dialog: switch scanning and dwell selection. "確定" writes the "ACCESS"
// section only, into the store it was given (the options dialog holds it until its own
// "確定"); "キャンセル" writes nothing. Settings it does not show are written back as read.
class frmAccess : public QDialog
{
    Q_OBJECT

  public:
    frmAccess(QWidget *parent, SettingsStore &store);

    void cmdOK_Click(int index);
    // Puts `page` (the reading settings) on the "声" tab, above the recording button.
    void addVoicePage(QWidget *page);

    QComboBox *cmbScanMode = nullptr;
    QDoubleSpinBox *spnScanStep = nullptr;
    QCheckBox *chkCallOn = nullptr;
    QComboBox *cmbScanCue = nullptr;
    QSpinBox *spnCueVolume = nullptr;
    std::array<KeyCatcher *, 2> keySwitch{}; // switch A, switch B
    QCheckBox *chkSwitchMouse = nullptr;
    QDoubleSpinBox *spnSwitchHold = nullptr;
    QDoubleSpinBox *spnCallHold = nullptr;
    KeyCatcher *catCallKey = nullptr;
    QLabel *lblCallHoldRefused = nullptr; // why 確定 kept the dialog open
    QCheckBox *chkDwell = nullptr;
    QDoubleSpinBox *spnDwell = nullptr;
    QPushButton *cmdRecord = nullptr;
    std::array<QPushButton *, 2> cmdOK{};

  signals:
    // "録音する…": the own-voice recording screen is asked for.
    void recordRequested();

  private:
    void createControls();
    void createSwitchControls(QWidget *parent, QFormLayout *form);

    SettingsStore &m_store;
    AccessSettings m_settings;
    QVBoxLayout *m_voiceLayout = nullptr;
    std::array<QString, 2> m_shownKeys; // each switch's keys as last shown
};
