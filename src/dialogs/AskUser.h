#pragma once

#include <QString>

class BusyPointer;
class QuestionAsker;
class QWidget;

// Asks one question over `parent` with the busy pointer off; true for "OK", "ＹＥＳ" or "ＯＫ".
// kind: frmOK::kNotice, kYesNo or kOkCancel.
bool AskUser(QuestionAsker &asker, BusyPointer &busy, QWidget *parent, const QString &prompt,
             int kind, const QString &title);
