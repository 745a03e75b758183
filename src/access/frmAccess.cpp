#include "access/frmAccess.h"

#include "access/AccessTexts.h"
#include "access/KeyCatcher.h"
#include "access/SwitchKeys.h"
#include "platform/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {
QCheckBox *checkBox(QWidget *parent, const QString &name, const char16_t *caption, int value)
{
    auto *box = new QCheckBox(text(caption), parent);
    box->setObjectName(name);
    box->setChecked(value != 0);
    return box;
}

// Seconds for a setting kept in milliseconds, shown with `addedMs` added (to one decimal, or
// two when the added time needs them).
QDoubleSpinBox *secondsBox(QWidget *parent, const QString &name, const AccessSettings::Key &key,
                           int valueMs, int addedMs = 0)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(addedMs % 100 == 0 ? 1 : 2);
    box->setSingleStep(0.1);
    box->setRange((key.lowest + addedMs) / 1000.0, (key.highest + addedMs) / 1000.0);
    box->setValue((valueMs + addedMs) / 1000.0);
    return box;
}

// A shown time back in milliseconds, less `addedMs`, in steps of 10 ms.
int shownMs(const QDoubleSpinBox *box, int addedMs = 0)
{
    return int(std::lround(box->value() * 100)) * 10 - addedMs;
}

const AccessSettings::Key &keyFor(int AccessSettings::*field)
{
    for (const AccessSettings::Key &key : AccessSettings::kKeys)
        if (key.field == field)
            return key;
    Q_UNREACHABLE();
}
} // namespace

frmAccess::frmAccess(QWidget *parent, SettingsStore &store)
    : QDialog(parent), m_store(store), m_settings(AccessSettings::read(store))
{
    setObjectName(u"frmAccess"_s);
    setWindowTitle(text(AccessTexts::kCaption));
    setModal(true);
    QFont large = font();
    large.setPointSizeF(20);
    large.setBold(true);
    setFont(large);
    createControls();
}

void frmAccess::createControls()
{
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(u"tabAccess"_s);

    auto *switchTab = new QWidget(tabs);
    auto *switchForm = new QFormLayout(switchTab);
    cmbScanMode = new QComboBox(switchTab);
    cmbScanMode->setObjectName(u"cmbScanMode"_s);
    for (const char16_t *mode : AccessTexts::kScanModes)
        cmbScanMode->addItem(text(mode));
    cmbScanMode->setCurrentIndex(m_settings.scanMode);
    switchForm->addRow(text(AccessTexts::kScanModeLabel), cmbScanMode);
    spnScanStep = secondsBox(switchTab, u"spnScanStep"_s, keyFor(&AccessSettings::scanStepMs),
                             m_settings.scanStepMs);
    switchForm->addRow(text(AccessTexts::kStepLabel), spnScanStep);
    createSwitchControls(switchTab, switchForm);
    auto *call = new QGroupBox(text(AccessTexts::kCallGroup), switchTab);
    call->setObjectName(u"grpCall"_s);
    auto *callForm = new QFormLayout(call);
    chkCallOn = checkBox(call, u"chkCallOn"_s, AccessTexts::kCallOn, m_settings.callOn);
    callForm->addRow(chkCallOn);
    spnCallHold = secondsBox(call, u"spnCallHold"_s, keyFor(&AccessSettings::callHoldMs),
                             m_settings.callHoldMs);
    callForm->addRow(text(AccessTexts::kCallHoldLabel), spnCallHold);
    catCallKey = new KeyCatcher(m_settings.callKey, call);
    catCallKey->setObjectName(u"catCallKey"_s);
    // A switch's key as the call key would ring at every switch press, and the other way round.
    catCallKey->setCheck([this](int key) -> const char16_t * {
        const QList<int> switchKeys =
            SwitchKeys::parse(keySwitch[0]->keys()) + SwitchKeys::parse(keySwitch[1]->keys());
        return switchKeys.contains(key) ? AccessTexts::kSwitchKeyRefused : nullptr;
    });
    for (KeyCatcher *keys : keySwitch)
        keys->setCheck([this](int key) -> const char16_t * {
            return SwitchKeys::parse(catCallKey->keys()).contains(key)
                       ? AccessTexts::kCallKeyRefused
                       : nullptr;
        });
    callForm->addRow(text(AccessTexts::kCallKeyLabel), catCallKey);
    callForm->addRow(catCallKey->message()); // the group's width: the key's column is narrow
    lblCallHoldRefused = new QLabel(text(AccessTexts::kCallHoldRefused), call);
    lblCallHoldRefused->setObjectName(u"lblCallHoldRefused"_s);
    lblCallHoldRefused->setWordWrap(true);
    lblCallHoldRefused->hide();
    callForm->addRow(lblCallHoldRefused);
    switchForm->addRow(call);
    tabs->addTab(switchTab, text(AccessTexts::kSwitchTab));

    auto *dwellTab = new QWidget(tabs);
    auto *dwellForm = new QFormLayout(dwellTab);
    chkDwell = checkBox(dwellTab, u"chkDwell"_s, AccessTexts::kDwellOn, m_settings.dwellMode);
    dwellForm->addRow(chkDwell);
    // The time shown is the whole rest a user makes: the lock-on time and then the fill.
    spnDwell = secondsBox(dwellTab, u"spnDwell"_s, keyFor(&AccessSettings::dwellMs),
                          m_settings.dwellMs, m_settings.dwellLockMs);
    dwellForm->addRow(text(AccessTexts::kDwellLabel), spnDwell);
    dwellForm->addRow(new QLabel(
        text(AccessTexts::kDwellNote).arg(m_settings.dwellLockMs / 1000.0, 0, 'f', 2), dwellTab));
    tabs->addTab(dwellTab, text(AccessTexts::kDwellTab));

    auto *voiceTab = new QWidget(tabs);
    auto *voiceLayout = m_voiceLayout = new QVBoxLayout(voiceTab);
    cmdRecord = new QPushButton(text(AccessTexts::kRecord), voiceTab);
    cmdRecord->setObjectName(u"cmdRecord"_s);
    cmdRecord->setAutoDefault(false);
    connect(cmdRecord, &QPushButton::clicked, this, &frmAccess::recordRequested);
    voiceLayout->addWidget(cmdRecord);
    voiceLayout->addStretch();
    tabs->addTab(voiceTab, text(AccessTexts::kVoiceTab));

    auto *buttons = new QHBoxLayout;
    const char16_t *captions[] = {AccessTexts::kCancel, AccessTexts::kConfirm};
    for (int i = 0; i < 2; ++i) {
        cmdOK[i] = new QPushButton(text(captions[i]), this);
        cmdOK[i]->setObjectName(u"cmdOK_%1"_s.arg(i));
        cmdOK[i]->setAccessibleName(cmdOK[i]->text());
        cmdOK[i]->setAutoDefault(false);
        cmdOK[i]->setMinimumHeight(64);
        connect(cmdOK[i], &QPushButton::clicked, this, [this, i] { cmdOK_Click(i); });
        buttons->addWidget(cmdOK[i]);
    }

    auto *note = new QLabel(text(AccessTexts::kConfirmNote), this);
    note->setObjectName(u"lblConfirmNote"_s);
    note->setWordWrap(true);
    QFont small = note->font();
    small.setPointSizeF(14);
    note->setFont(small);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(note);
    layout->addLayout(buttons);
}

void frmAccess::createSwitchControls(QWidget *parent, QFormLayout *form)
{
    cmbScanCue = new QComboBox(parent);
    cmbScanCue->setObjectName(u"cmbScanCue"_s);
    for (const char16_t *cue : AccessTexts::kCues)
        cmbScanCue->addItem(text(cue));
    cmbScanCue->setCurrentIndex(m_settings.scanCue);
    spnCueVolume = new QSpinBox(parent);
    spnCueVolume->setObjectName(u"spnCueVolume"_s);
    const AccessSettings::Key &volume = keyFor(&AccessSettings::scanCueVolume);
    spnCueVolume->setRange(volume.lowest, volume.highest);
    spnCueVolume->setSingleStep(10);
    spnCueVolume->setValue(m_settings.scanCueVolume);
    // The volume beside the cue, so the tab fits a 1024 x 768 screen at this large type.
    auto *cueRow = new QHBoxLayout;
    cueRow->addWidget(cmbScanCue, 1);
    cueRow->addWidget(new QLabel(text(AccessTexts::kCueVolumeLabel), parent));
    cueRow->addWidget(spnCueVolume);
    form->addRow(text(AccessTexts::kCueLabel), cueRow);

    const QString keys[] = {m_settings.switchAKeys, m_settings.switchBKeys};
    const char16_t *labels[] = {AccessTexts::kSwitchAKeysLabel, AccessTexts::kSwitchBKeysLabel};
    for (int i = 0; i < 2; ++i) {
        keySwitch[i] = new KeyCatcher(keys[i], parent);
        keySwitch[i]->setObjectName(i == 0 ? u"keySwitchA"_s : u"keySwitchB"_s);
        form->addRow(text(labels[i]), keySwitch[i]);
    }
    // A key given to one switch is taken from the other, which gets this one's keys from just
    // before instead: both keep a key, and neither the call key (checked when they were set).
    for (int i = 0; i < 2; ++i) {
        m_shownKeys[i] = keys[i];
        connect(keySwitch[i], &KeyCatcher::keysChanged, this, [this, i](const QString &now) {
            const QString before = std::exchange(m_shownKeys[i], now);
            KeyCatcher *other = keySwitch[1 - i];
            if (!SwitchKeys::parse(other->keys()).contains(SwitchKeys::parse(now).value(0)))
                return;
            other->setKeys(before);
            m_shownKeys[1 - i] = before;
        });
    }
    chkSwitchMouse =
        checkBox(parent, u"chkSwitchMouse"_s, AccessTexts::kSwitchMouse, m_settings.switchMouse);
    form->addRow(chkSwitchMouse);
    spnSwitchHold = secondsBox(parent, u"spnSwitchHold"_s, keyFor(&AccessSettings::switchHoldMs),
                               m_settings.switchHoldMs);
    form->addRow(text(AccessTexts::kHoldLabel), spnSwitchHold);
}

void frmAccess::addVoicePage(QWidget *page)
{
    m_voiceLayout->insertWidget(0, page);
}

void frmAccess::cmdOK_Click(int index)
{
    if (index != 1) {
        reject();
        return;
    }
    m_settings.scanMode = cmbScanMode->currentIndex();
    m_settings.scanStepMs = shownMs(spnScanStep);
    m_settings.callOn = chkCallOn->isChecked() ? 1 : 0;
    m_settings.scanCue = cmbScanCue->currentIndex();
    m_settings.scanCueVolume = spnCueVolume->value();
    m_settings.switchHoldMs = shownMs(spnSwitchHold);
    m_settings.switchMouse = chkSwitchMouse->isChecked() ? 1 : 0;
    m_settings.switchAKeys = keySwitch[0]->keys();
    m_settings.switchBKeys = keySwitch[1]->keys();
    m_settings.callHoldMs = shownMs(spnCallHold);
    // A call hold no longer than a selecting hold would ring at every long selection.
    const bool holdsClash = m_settings.callOn != 0 && m_settings.callHoldMs > 0 &&
                            m_settings.callHoldMs < m_settings.lowestCallHoldMs();
    lblCallHoldRefused->setVisible(holdsClash);
    if (holdsClash)
        return;
    m_settings.callKey = catCallKey->keys();
    m_settings.dwellMode = chkDwell->isChecked() ? 1 : 0;
    m_settings.dwellMs = shownMs(spnDwell, m_settings.dwellLockMs);
    m_settings.write(m_store);
    accept();
}
