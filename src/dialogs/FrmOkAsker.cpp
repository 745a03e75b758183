#include "dialogs/FrmOkAsker.h"

bool FrmOkAsker::ask(const QString &, int, const QString &, QWidget *)
{
    return false;
}
