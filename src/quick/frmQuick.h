#pragma once

#include "quick/QuickSettings.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class SettingsStore;

// "よく使う答え…": whether the quick answers are shown and their phrases (section "QUICK"), and
// whether the partner's view is open (section "PARTNER"). "確定" writes both to the stores it
// was given and closes; whoever gave them stores and applies them. "キャンセル" closes without
// writing anything.
class frmQuick : public QDialog
{
    Q_OBJECT

  public:
    frmQuick(SettingsStore &quickStore, SettingsStore &partnerStore, QWidget *parent);

    QuickSettings settings() const;

    QCheckBox *chkQuick = nullptr;
    std::array<QLineEdit *, QuickSettings::kMaxPhrases> txtPhrase{};
    QCheckBox *chkPartner = nullptr;

  private:
    void confirm();

    SettingsStore &m_quickStore;
    SettingsStore &m_partnerStore;
};
