#include "access/AccessSettings.h"

#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

#include <QKeySequence>

#include <algorithm>

const AccessSettings::Key AccessSettings::kKeys[15] = {
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
    {u"CallOn", &AccessSettings::callOn, 0, 0, 1},
    // Below a second a long press of a switch could ring it by mistake; 0 turns it off.
    {u"CallHoldMs", &AccessSettings::callHoldMs, 3000, 0, 10000},
};

namespace {
constexpr char16_t kCallKeyName[] = u"CallKey";
} // namespace

int AccessSettings::keyCode(const QString &name)
{
    const QKeySequence keys = QKeySequence::fromString(name.trimmed(), QKeySequence::PortableText);
    if (keys.count() != 1 || keys[0].key() == Qt::Key(0) ||
        keys[0].keyboardModifiers() != Qt::NoModifier)
        return Qt::Key_unknown;
    return keys[0].key();
}

AccessSettings AccessSettings::read(const SettingsStore &store)
{
    AccessSettings settings = SettingsTable::read<AccessSettings>(store, kKeys);
    if (settings.callHoldMs > 0)
        settings.callHoldMs = std::max(settings.callHoldMs, 1000);
    const QString key =
        store.read(QString::fromUtf16(kCallKeyName), QString::fromUtf16(kDefaultCallKey));
    if (keyCode(key) != Qt::Key_unknown)
        settings.callKey = key.trimmed();
    return settings;
}

int AccessSettings::callKeyCode() const
{
    return keyCode(callKey);
}

void AccessSettings::write(SettingsStore &store) const
{
    SettingsTable::write(store, *this, kKeys);
    store.write(QString::fromUtf16(kCallKeyName), callKey);
}

int AccessSettings::effectiveIgnoreMs() const
{
    return std::min(switchIgnoreMs, scanStepMs / 2 - 1);
}
