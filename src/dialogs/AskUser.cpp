#include "dialogs/AskUser.h"

#include "app/frmTalk.h"
#include "dialogs/QuestionAsker.h"
#include "platform/UiServices.h"

void AskUser(frmTalk &talk, const QString &prompt, int kind, const QString &title)
{
    Services &services = talk.services();
    services.busy.setBusy(false);
    AppState &state = talk.state();
    state.gAnswer = false;
    state.gAnswer = services.asker.ask(prompt, kind, title, &talk);
}
