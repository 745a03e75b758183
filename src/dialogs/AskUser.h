#pragma once

#include <QString>

class frmTalk;

// Asks one question through the window's asker and leaves the answer in gAnswer
// (true for "OK", "ＹＥＳ" or "ＯＫ"). kind: 48 notice, 36 yes/no, 33 OK/cancel.
void AskUser(frmTalk &talk, const QString &prompt, int kind, const QString &title);
