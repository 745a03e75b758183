#pragma once

#include "quick/QuickSettings.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class SettingsStore;

// "よく使う答え…": whether the quick answers are shown and their phrases (section "QUICK"), and
// whether the partner's view is open. "確定" stores the answers and closes; the window then
// applies both. "キャンセル" closes without writing anything.
class frmQuick : public QDialog
{
    Q_OBJECT

  public:
    frmQuick(SettingsStore &store, bool partnerOpen, QWidget *parent);

    QuickSettings settings() const;
    bool partnerOpen() const;
    // False when "確定" could not store the settings (they apply until the program ends).
    bool stored() const { return m_stored; }

    QCheckBox *chkQuick = nullptr;
    std::array<QLineEdit *, QuickSettings::kMaxPhrases> txtPhrase{};
    QCheckBox *chkPartner = nullptr;

  private:
    void confirm();

    SettingsStore &m_store;
    bool m_stored = true;
};
