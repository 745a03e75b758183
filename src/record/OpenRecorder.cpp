#include "record/OpenRecorder.h"

#include "platform/ProgramFolders.h"
#include "platform/QtAudioInput.h"
#include "platform/QtTakePlayer.h"
#include "record/VoiceStore.h"
#include "record/frmRecord.h"
#include "voice/VoiceReadings.h"

#include <QDir>
#include <QScreen>

void openRecorder(const ProgramFolders &folders, QWidget *parent, const QStringList &answers)
{
    VoiceStore store(QDir::fromNativeSeparators(folders.dataDir()));
    const VoiceReadings readings = VoiceReadings::builtIn();
    QtAudioInput input;
    QtTakePlayer player;
    frmRecord dialog(store, readings, input, player, parent, answers);
    // The whole screen, also where no window manager maximises it.
    if (const QScreen *screen = parent ? parent->screen() : nullptr)
        dialog.setGeometry(screen->availableGeometry());
    dialog.setWindowState(Qt::WindowMaximized);
    dialog.exec();
}
