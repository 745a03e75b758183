// Starts the real program on the program folder given as the first argument and exits on
// the first paint of the main window.
#include "app/frmTalk.h"
#include "core/AppState.h"
#include "dialogs/FrmOkAsker.h"
#include "platform/Clock.h"
#include "platform/QtWaveDevice.h"
#include "platform/SettingsStore.h"
#include "platform/UiServices.h"

#include "FirstPaint.h"

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir settingsDir;
    SystemClock clock;
    QtEventPump events;
    SystemBeeper beeper;
    SystemClipboard clipboard;
    QtWaveDevice wave;
    QtSettingsStore settings(settingsDir.filePath(QStringLiteral("Talk.conf")));
    ScreenBusyPointer busy;
    FrmOkAsker asker;
    AppState state;
    frmTalk window(state, Services{clock, events, beeper, clipboard, wave, settings, busy, asker,
                                   ProgramFolders::portable(folder)});
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}
