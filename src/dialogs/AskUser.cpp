#include "dialogs/AskUser.h"

#include "dialogs/QuestionAsker.h"
#include "platform/UiServices.h"

bool AskUser(QuestionAsker &asker, BusyPointer &busy, QWidget *parent, const QString &prompt,
             int kind, const QString &title)
{
    busy.setBusy(false);
    return asker.ask(prompt, kind, title, parent);
}
