#pragma once

#include "dialogs/QuestionAsker.h"

// Asks through the large-type dialog frmOK, shown modally.
class FrmOkAsker final : public QuestionAsker
{
  public:
    bool ask(const QString &prompt, int kind, const QString &title, QWidget *parent) override;
};
