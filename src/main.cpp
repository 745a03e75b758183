#include "app/ReadyLine.h"
#include "app/frmTalk.h"
#include "core/AppState.h"
#include "core/AppTexts.h"
#include "dialogs/FrmOkAsker.h"
#include "dialogs/frmOK.h"
#include "diary/DiaryFile.h"
#include "platform/Clock.h"
#include "platform/ProgramFolders.h"
#include "platform/QtWaveDevice.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "platform/UiServices.h"
#include "samples/SampleFile.h"
#include "transfer/DataCommands.h"
#include "voice/EngineFiles.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    // `--export FILE` and `--import FILE` run without a display and end there.
    if (const std::optional<int> exitCode = DataCommands::runFromCommandLine(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    // Names the user's data folder (~/.local/share/Talk) and matches the menu entry.
    QApplication::setApplicationName(QStringLiteral("Talk"));
    QApplication::setDesktopFileName(QStringLiteral("org.talkboard.talk"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // A second start leaves silently and leaves the running one alone; when the running one
    // shows no window (it hangs), the user is told why nothing appears.
    SingleInstance instance(QCoreApplication::applicationFilePath());
    if (instance.found() == SingleInstance::Found::RunningNoWindow)
        FrmOkAsker().ask(QString::fromUtf16(AppTexts::kEarlierStartHangs), frmOK::kNotice,
                         QString::fromUtf16(AppTexts::kCaption), nullptr);
    if (!instance.isFirst())
        return 0;

    SystemClock clock;
    QtEventPump events;
    SystemBeeper beeper;
    SystemClipboard clipboard;
    QtWaveDevice wave;
    QtSettingsStore settings;
    QtSettingsStore accessSettings({}, QStringLiteral("ACCESS"));
    QtSettingsStore voiceSettings({}, QStringLiteral("VOICE"));
    QtSettingsStore quickSettings({}, QStringLiteral("QUICK"));
    QtSettingsStore partnerSettings({}, QStringLiteral("PARTNER"));
    QtSettingsStore predictSettings({}, QStringLiteral("PREDICT"));
    ScreenBusyPointer busy;
    FrmOkAsker asker;
    AppState state;
    ProgramFolders folders = ProgramFolders::forThisProgram();
    // A failure shows later, as the notice of the first save that cannot be written.
    folders.ensureDataDir();
    const QStringList adopted = folders.adoptDataFiles(
        {QString::fromUtf16(SampleFile::kFileName), QString::fromUtf16(DiaryFile::kFileName)});
    qInfo("Talk: Talk.txt and day.txt in %s", qUtf8Printable(folders.dataDir()));
    // Before anything reads the data: an import cut short is undone, and the day's copy made.
    const QStringList dataNotices = DataCommands::atStart(folders.dataDir(), clock.today());

    frmTalk window(
        state, Services{clock, events, beeper, clipboard, wave, settings, busy, asker, folders});
    QObject::connect(&window, &frmTalk::endRequested, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // The strip is built first: scanning and dwell reach it.
    window.installPrediction(predictSettings);
    window.installAccess(accessSettings);
    window.installSpeech(voiceSettings, EngineFiles::debian());
    window.installConversation(quickSettings, partnerSettings);
    window.fitToScreen();
    new ReadyLine(&window);
    window.show();
    // Said once: from the next start on the files are found where they now are.
    if (!adopted.isEmpty()) {
        // Short enough for the notice's large type: the home folder as "~".
        QString where = QDir::fromNativeSeparators(folders.dataDir());
        if (where.startsWith(QDir::homePath() + u'/'))
            where.replace(0, QDir::homePath().size(), QStringLiteral("~"));
        asker.ask(QString::fromUtf16(AppTexts::kDataFolderMoved) + where, frmOK::kNotice,
                  QString::fromUtf16(AppTexts::kDataFolderTitle), &window);
    }
    for (const QString &notice : dataNotices)
        asker.ask(notice, frmOK::kNotice, QString::fromUtf16(AppTexts::kCaption), &window);
    const int result = QApplication::exec();
    // The next start may run at once, while the sound and the window close.
    instance.release();
    return result;
}
