#include "access/frmAccess.h"

#include "access/AccessTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
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

// Seconds shown to one decimal for a setting kept in milliseconds.
QDoubleSpinBox *secondsBox(QWidget *parent, const QString &name, const AccessSettings::Key &key,
                           int valueMs)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setRange(key.lowest / 1000.0, key.highest / 1000.0);
    box->setValue(valueMs / 1000.0);
    return box;
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
    tabs->addTab(switchTab, text(AccessTexts::kSwitchTab));

    auto *dwellTab = new QWidget(tabs);
    auto *dwellForm = new QFormLayout(dwellTab);
    chkDwell = new QCheckBox(text(AccessTexts::kDwellOn), dwellTab);
    chkDwell->setObjectName(u"chkDwell"_s);
    chkDwell->setChecked(m_settings.dwellMode != 0);
    dwellForm->addRow(chkDwell);
    spnDwell =
        secondsBox(dwellTab, u"spnDwell"_s, keyFor(&AccessSettings::dwellMs), m_settings.dwellMs);
    dwellForm->addRow(text(AccessTexts::kDwellLabel), spnDwell);
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

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
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
    m_settings.scanStepMs = int(std::lround(spnScanStep->value() * 10)) * 100;
    m_settings.dwellMode = chkDwell->isChecked() ? 1 : 0;
    m_settings.dwellMs = int(std::lround(spnDwell->value() * 10)) * 100;
    m_settings.write(m_store);
    accept();
}
