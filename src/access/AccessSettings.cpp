#include "access/AccessSettings.h"

#include "platform/SettingsTable.h"

#include <algorithm>

const AccessSettings::Key AccessSettings::kKeys[13] = {
    {u"ScanMode", &AccessSettings::scanMode, 0, 0, 2},
    {u"ScanOrder", &AccessSettings::scanOrder, 0, 0, 1},
    {u"ScanStepMs", &AccessSettings::scanStepMs, 1500, 300, 10000},
    {u"ScanFirstExtraMs", &AccessSettings::scanFirstExtraMs, 1000, 0, 5000},
    {u"ScanLoops", &AccessSettings::scanLoops, 3, 1, 10},
    {u"ScanStartOnPress", &AccessSettings::scanStartOnPress, 1, 0, 1},
    {u"ScanDim", &AccessSettings::scanDim, 1, 0, 1},
    // At least 50 ms: the edges of a bouncing switch, some 20 ms apart, never count twice.
    {u"SwitchIgnoreMs", &AccessSettings::switchIgnoreMs, 250, 50, 2000},
    {u"DwellMode", &AccessSettings::dwellMode, 0, 0, 1},
    {u"DwellLockMs", &AccessSettings::dwellLockMs, 250, 0, 1000},
    {u"DwellMs", &AccessSettings::dwellMs, 1000, 300, 5000},
    {u"DwellGraceMs", &AccessSettings::dwellGraceMs, 750, 0, 2000},
    {u"DwellSafeMs", &AccessSettings::dwellSafeMs, 2000, 500, 6000},
};

AccessSettings AccessSettings::read(const SettingsStore &store)
{
    return SettingsTable::read<AccessSettings>(store, kKeys);
}

void AccessSettings::write(SettingsStore &store) const
{
    SettingsTable::write(store, *this, kKeys);
}

int AccessSettings::effectiveIgnoreMs() const
{
    return std::min(switchIgnoreMs, scanStepMs / 2 - 1);
}
