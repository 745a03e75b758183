#include "dialogs/KeepOriginal.h"

#include "core/Services.h"
#include "dialogs/AskUser.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/frmOK.h"
#include "platform/Clock.h"
#include "platform/TextFile.h"

#include <QDateTime>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

bool keepDamagedOriginal(Services &services, QWidget *parent, bool &damaged, const QString &path,
                         const QString &title)
{
    if (!damaged)
        return true;
    const QDateTime now(services.clock.today(), QTime::currentTime());
    const QString copy = TextFile::keepCopy(path, now);
    if (copy.isEmpty())
        return false;
    damaged = false;
    // The copy's name breaks after ".bak-" so the whole of it fits the notice.
    const QString name = QFileInfo(copy).fileName().replace(u".bak-"_s, u".bak-\n"_s);
    AskUser(services.asker, services.busy, parent,
            QString::fromUtf16(DialogTexts::kOriginalKept) + name, frmOK::kNotice, title);
    return true;
}
