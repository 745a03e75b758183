#include "dialogs/FrmOkAsker.h"

#include "dialogs/frmOK.h"

bool FrmOkAsker::ask(const QString &prompt, int kind, const QString &title, QWidget *parent)
{
    frmOK dialog(parent);
    return dialog.ask(prompt, kind, title);
}
