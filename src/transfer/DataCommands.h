#pragma once

#include <QDate>
#include <QStringList>
#include <optional>

// What the program runs of the data transfer outside the options: `talk --export FILE` and
// `talk --import FILE`, and at each start the recovery of a cut-short import and the daily copy.
namespace DataCommands {

// Runs `--export FILE` or `--import FILE` when the arguments hold one, without a display (only
// a QCoreApplication is made, so it must come before any other application object). Prints one
// line; returns the exit code: 0 done, 1 refused or failed (the reason on stderr), 2 usage.
// nullopt when the arguments ask for neither.
std::optional<int> runFromCommandLine(int argc, char *argv[]);

// At the start, before the data is read: puts back an import's backup that was cut short and
// makes the day's copy. Returns what the user is to be told (nothing, mostly).
QStringList atStart(const QString &dataDir, const QDate &today);

} // namespace DataCommands
