#include "transfer/DataDialogs.h"

#include "core/AppTexts.h"
#include "core/Services.h"
#include "dialogs/AskUser.h"
#include "dialogs/frmOK.h"
#include "platform/UiServices.h"
#include "transfer/DataTransfer.h"
#include "transfer/TransferTexts.h"

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QSettings>
#include <QThread>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Runs `work` on a thread of its own with the window's own settings file; user input waits.
DataTransfer::Result
offWindowThread(const QString &dataDir,
                const std::function<DataTransfer::Result(DataTransfer &)> &work)
{
    DataTransfer::Result result;
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        QSettings settings(u"Talk"_s, u"Talk"_s);
        DataTransfer transfer(dataDir, settings);
        result = work(transfer);
    }));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    return result;
}

void tell(Services &services, QWidget *parent, const QString &message)
{
    AskUser(services.asker, services.busy, parent, message, frmOK::kNotice,
            QString::fromUtf16(AppTexts::kCaption));
}

} // namespace

namespace DataDialogs {

void exportData(Services &services, QWidget *parent)
{
    const QString suggested = QDir::home().filePath(
        u"Talk-"_s + QDateTime::currentDateTime().toString(u"yyyyMMdd"_s) + u".zip"_s);
    const QString file =
        QFileDialog::getSaveFileName(parent, TransferTexts::text(TransferTexts::kExportButton),
                                     suggested, TransferTexts::text(TransferTexts::kFileFilter));
    if (file.isEmpty())
        return;
    services.busy.setBusy(true);
    const DataTransfer::Result result =
        offWindowThread(services.folders.dataDir(),
                        [&file](DataTransfer &transfer) { return transfer.exportTo(file); });
    services.busy.setBusy(false);
    tell(services, parent, result.message);
}

bool importData(Services &services, QWidget *parent)
{
    const QString file = QFileDialog::getOpenFileName(
        parent, TransferTexts::text(TransferTexts::kImportButton), QDir::homePath(),
        TransferTexts::text(TransferTexts::kFileFilter));
    if (file.isEmpty() || !AskUser(services.asker, services.busy, parent,
                                   TransferTexts::text(TransferTexts::kImportQuestion),
                                   frmOK::kYesNo, QString::fromUtf16(AppTexts::kCaption)))
        return false;
    services.busy.setBusy(true);
    const DataTransfer::Result result =
        offWindowThread(services.folders.dataDir(), [&file](DataTransfer &transfer) {
            return transfer.importFrom(file, QDateTime::currentDateTime());
        });
    services.busy.setBusy(false);
    tell(services, parent, result.message);
    return result.ok;
}

} // namespace DataDialogs
