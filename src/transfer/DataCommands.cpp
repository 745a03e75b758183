#include "transfer/DataCommands.h"

#include "platform/ProgramFolders.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "transfer/DailyCopy.h"
#include "transfer/DataTransfer.h"
#include "transfer/TransferTexts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSettings>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

int say(const QString &line, bool ok)
{
    std::fprintf(ok ? stdout : stderr, "%s\n", qPrintable(line));
    return ok ? 0 : 1;
}

} // namespace

namespace DataCommands {

std::optional<int> runFromCommandLine(int argc, char *argv[])
{
    int at = 1;
    while (at < argc && std::strcmp(argv[at], "--export") != 0 &&
           std::strcmp(argv[at], "--import") != 0)
        ++at;
    if (at == argc)
        return std::nullopt;
    const bool exporting = std::strcmp(argv[at], "--export") == 0;
    if (at + 1 >= argc) {
        std::fprintf(stderr, "usage: %s --export FILE | --import FILE\n", argv[0]);
        return 2;
    }

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Talk"_s);
    const QString file = QString::fromLocal8Bit(argv[at + 1]);
    ProgramFolders folders = ProgramFolders::forThisProgram();
    folders.ensureDataDir();
    // An import under a running window would be overwritten by its next save; while it runs,
    // the window does not start. An export only reads.
    std::unique_ptr<SingleInstance> instance;
    if (!exporting) {
        instance = std::make_unique<SingleInstance>(QCoreApplication::applicationFilePath());
        if (!instance->isFirst())
            return say(TransferTexts::text(TransferTexts::kRunning), false);
    }
    QSettings settings(u"Talk"_s, u"Talk"_s);
    DataTransfer transfer(folders.dataDir(), settings);
    if (const DataTransfer::Result recovered = transfer.recoverInterrupted();
        !recovered.message.isEmpty())
        say(recovered.message, recovered.ok);
    const DataTransfer::Result result =
        exporting ? transfer.exportTo(file)
                  : transfer.importFrom(file, QDateTime::currentDateTime());
    return say(result.message, result.ok);
}

QStringList atStart(const QString &dataDir, const QDate &today)
{
    QStringList notices;
    QSettings settings(u"Talk"_s, u"Talk"_s);
    const DataTransfer::Result recovered = DataTransfer(dataDir, settings).recoverInterrupted();
    if (!recovered.message.isEmpty())
        notices.append(recovered.message);
    QtSettingsStore store({}, u"BACKUP"_s);
    if (const QString failure = DailyCopy(dataDir, store).run(today); !failure.isEmpty())
        notices.append(failure);
    return notices;
}

} // namespace DataCommands
