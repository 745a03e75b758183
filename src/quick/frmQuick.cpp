#include "quick/frmQuick.h"

#include "partner/PartnerSettings.h"
#include "platform/SettingsStore.h"
#include "quick/QuickTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kPoints = 16;
} // namespace

frmQuick::frmQuick(SettingsStore &quickStore, SettingsStore &partnerStore, QWidget *parent)
    : QDialog(parent), m_quickStore(quickStore), m_partnerStore(partnerStore)
{
    setObjectName(u"frmQuick"_s);
    setWindowTitle(QString::fromUtf16(QuickTexts::kGroup));
    setModal(true);
    QFont big = font();
    big.setPointSize(kPoints);
    setFont(big);

    const QuickSettings current = QuickSettings::read(quickStore);
    auto *form = new QFormLayout(this);
    chkQuick = new QCheckBox(QString::fromUtf16(QuickTexts::kShow), this);
    chkQuick->setObjectName(u"chkQuick"_s);
    chkQuick->setChecked(current.on);
    form->addRow(chkQuick);
    for (int i = 0; i < int(txtPhrase.size()); ++i) {
        auto *edit = new QLineEdit(current.phrases.value(i), this);
        edit->setObjectName(u"txtPhrase_%1"_s.arg(i));
        edit->setMaxLength(QuickSettings::kMaxLength);
        const QString caption = QString::fromUtf16(QuickTexts::kPhraseLabel).arg(i + 1);
        edit->setAccessibleName(caption);
        form->addRow(caption, edit);
        txtPhrase[size_t(i)] = edit;
    }
    chkPartner = new QCheckBox(QString::fromUtf16(QuickTexts::kPartnerShow), this);
    chkPartner->setObjectName(u"chkPartner"_s);
    chkPartner->setChecked(PartnerSettings::read(partnerStore).on);
    form->addRow(chkPartner);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *cancel =
        buttons->addButton(QString::fromUtf16(QuickTexts::kCancel), QDialogButtonBox::RejectRole);
    QPushButton *confirmButton =
        buttons->addButton(QString::fromUtf16(QuickTexts::kConfirm), QDialogButtonBox::AcceptRole);
    cancel->setObjectName(u"cmdQuickCancel"_s);
    confirmButton->setObjectName(u"cmdQuickOK"_s);
    form->addRow(buttons);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(confirmButton, &QPushButton::clicked, this, &frmQuick::confirm);
}

QuickSettings frmQuick::settings() const
{
    QuickSettings settings;
    settings.on = chkQuick->isChecked();
    for (const QLineEdit *edit : txtPhrase)
        settings.phrases.append(edit->text());
    settings.phrases = QuickSettings::tidy(settings.phrases);
    return settings;
}

void frmQuick::confirm()
{
    settings().write(m_quickStore);
    PartnerSettings partner = PartnerSettings::read(m_partnerStore);
    partner.on = chkPartner->isChecked();
    partner.write(m_partnerStore);
    accept();
}
