// Starts the real program on the program folder given as the first argument and exits on
// the first paint of the main window.
//
// startup_talk FOLDER [MODE [ready]]: MODE installs the predictions as the program does, with
// section "PREDICT" key Mode set to it; "ready" waits for the strip's lists (the base list and
// the folder's learned.txt) to be read before exiting, so the peak memory counts them. With
// MODE given, the time from the start of main to the first paint is printed: the exit waits
// for the lists' thread, so the process's own run time is not the start-up time.
#include "app/PredictionParts.h"
#include "app/frmTalk.h"
#include "core/AppState.h"
#include "dialogs/FrmOkAsker.h"
#include "platform/Clock.h"
#include "platform/QtWaveDevice.h"
#include "platform/SettingsStore.h"
#include "platform/UiServices.h"
#include "predict/PredictSession.h"

#include "FirstPaint.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Prints the time to the first paint of the widget it filters.
class PaintTimer final : public QObject
{
  public:
    explicit PaintTimer(const QElapsedTimer &since) : m_since(since) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_printed) {
            m_printed = true;
            std::printf("first paint after %.1f ms\n", double(m_since.nsecsElapsed()) / 1e6);
        }
        return false;
    }

  private:
    const QElapsedTimer &m_since;
    bool m_printed = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool predicting = argc >= 3;
    const bool waitForLists = argc >= 4 && qstrcmp(argv[3], "ready") == 0;
    QTemporaryDir settingsDir;
    SystemClock clock;
    QtEventPump events;
    SystemBeeper beeper;
    SystemClipboard clipboard;
    QtWaveDevice wave;
    QtSettingsStore settings(settingsDir.filePath(QStringLiteral("Talk.conf")));
    QtSettingsStore predictSettings(settingsDir.filePath(QStringLiteral("Predict.conf")),
                                    QStringLiteral("PREDICT"));
    if (predicting)
        predictSettings.write(QString::fromUtf16(PredictionParts::kMode),
                              QString::fromLocal8Bit(argv[2]));
    ScreenBusyPointer busy;
    FrmOkAsker asker;
    AppState state;
    frmTalk window(state, Services{clock, events, beeper, clipboard, wave, settings, busy, asker,
                                   ProgramFolders::portable(folder)});
    if (predicting)
        window.installPrediction(predictSettings);
    PaintTimer paintTimer(sinceStart);
    FirstPaint firstPaint;
    if (predicting)
        window.installEventFilter(&paintTimer);
    if (waitForLists)
        QObject::connect(&window.prediction()->session(), &PredictSession::becameReady, &app,
                         &QCoreApplication::quit, Qt::QueuedConnection);
    else
        window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}
