#include "dialogs/KeepOriginal.h"

#include "app/frmTalk.h"
#include "dialogs/AskUser.h"
#include "dialogs/DialogTexts.h"
#include "platform/Clock.h"
#include "platform/FlexGrid.h"
#include "platform/TextFile.h"

#include <QDateTime>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kNotice = 48;
} // namespace

bool keepDamagedOriginal(frmTalk &talk, FlexGrid &grid, const char *damagedFlag,
                         const QString &path, const QString &title)
{
    if (!grid.property(damagedFlag).toBool())
        return true;
    const QDateTime now(talk.services().clock.today(), QTime::currentTime());
    const QString copy = TextFile::keepCopy(path, now);
    if (copy.isEmpty())
        return false;
    grid.setProperty(damagedFlag, false);
    // The copy's name breaks after ".bak-" so the whole of it fits the notice.
    const QString name = QFileInfo(copy).fileName().replace(u".bak-"_s, u".bak-\n"_s);
    AskUser(talk, QString::fromUtf16(DialogTexts::kOriginalKept) + name, kNotice, title);
    return true;
}
