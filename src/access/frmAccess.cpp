#include "access/frmAccess.h"

#include "access/AccessTexts.h"
#include "access/KeyCatcher.h"
#include "access/SwitchFilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {
QString text(const char16_t *s)
{
    return QString::fromUtf16(s);
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
    auto *call = new QGroupBox(text(AccessTexts::kCallGroup), switchTab);
    call->setObjectName(u"grpCall"_s);
    auto *callForm = new QFormLayout(call);
    chkCallOn = new QCheckBox(text(AccessTexts::kCallOn), call);
    chkCallOn->setObjectName(u"chkCallOn"_s);
    chkCallOn->setChecked(m_settings.callOn != 0);
    callForm->addRow(chkCallOn);
    spnCallHold = secondsBox(call, u"spnCallHold"_s, keyFor(&AccessSettings::callHoldMs),
                             m_settings.callHoldMs);
    callForm->addRow(text(AccessTexts::kCallHoldLabel), spnCallHold);
    catCallKey = new KeyCatcher(call);
    catCallKey->setObjectName(u"catCallKey"_s);
    catCallKey->setKey(m_settings.callKey);
    // A switch's key as the call key would ring at every switch press.
    catCallKey->setCheck([](int key) {
        return SwitchFilter::switchFor(key) ? text(AccessTexts::kRefuseSwitchKey) : QString();
    });
    callForm->addRow(text(AccessTexts::kCallKeyLabel), catCallKey);
    callForm->addRow(catCallKey->lblReason); // the whole width: a reason is a line of text
    switchForm->addRow(call);
    tabs->addTab(switchTab, text(AccessTexts::kSwitchTab));

    auto *dwellTab = new QWidget(tabs);
    auto *dwellForm = new QFormLayout(dwellTab);
    chkDwell = new QCheckBox(text(AccessTexts::kDwellOn), dwellTab);
    chkDwell->setObjectName(u"chkDwell"_s);
    chkDwell->setChecked(m_settings.dwellMode != 0);
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
    m_settings.callHoldMs = shownMs(spnCallHold);
    m_settings.callKey = catCallKey->key();
    m_settings.dwellMode = chkDwell->isChecked() ? 1 : 0;
    m_settings.dwellMs = shownMs(spnDwell, m_settings.dwellLockMs);
    m_settings.write(m_store);
    accept();
}
