#pragma once

struct Services;
class QWidget;

// The options' "データを書き出す…" and "データを読み込む…": a carer picks the file, the work runs
// off the window thread (the window keeps painting, input waits) and a notice tells the result.
namespace DataDialogs {

void exportData(Services &services, QWidget *parent);
// True when the data was replaced: the window then shows it afresh.
bool importData(Services &services, QWidget *parent);

} // namespace DataDialogs
