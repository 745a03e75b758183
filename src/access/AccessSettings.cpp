#include "access/AccessSettings.h"

#include "access/SwitchKeys.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

#include <QKeySequence>

#include <algorithm>

const AccessSettings::Key AccessSettings::kKeys[19] = {
    {u"ScanMode", &AccessSettings::scanMode, 0, 0, 2},
    {u"ScanOrder", &AccessSettings::scanOrder, 0, 0, 1},
    {u"ScanStepMs", &AccessSettings::scanStepMs, 1500, 300, 10000},
    {u"ScanFirstExtraMs", &AccessSettings::scanFirstExtraMs, 1000, 0, 5000},
    {u"ScanLoops", &AccessSettings::scanLoops, 3, 1, 10},
    {u"ScanStartOnPress", &AccessSettings::scanStartOnPress, 1, 0, 1},
    {u"ScanDim", &AccessSettings::scanDim, 1, 0, 1},
    {u"ScanCue", &AccessSettings::scanCue, 0, 0, 2},
    {u"ScanCueVolume", &AccessSettings::scanCueVolume, 50, 0, 100},
    {u"SwitchMouse", &AccessSettings::switchMouse, 0, 0, 1},
    {u"SwitchHoldMs", &AccessSettings::switchHoldMs, 0, 0, 2000},
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
constexpr char16_t kSwitchAKeysName[] = u"SwitchAKeys";
constexpr char16_t kSwitchBKeysName[] = u"SwitchBKeys";

QList<int> storedKeys(const SettingsStore &store, const char16_t *name, const char16_t *fallback)
{
    return SwitchKeys::parse(store.read(QString::fromUtf16(name), QString::fromUtf16(fallback)));
}

QList<int> without(QList<int> keys, const QList<int> &taken)
{
    keys.removeIf([&taken](int key) { return taken.contains(key); });
    return keys;
}

// A key name as a key code, or Qt::Key_unknown for text that names no single plain key.
int singleKey(const QString &name)
{
    const QKeySequence keys = QKeySequence::fromString(name.trimmed(), QKeySequence::PortableText);
    if (keys.count() != 1 || keys[0].key() == Qt::Key(0) ||
        keys[0].keyboardModifiers() != Qt::NoModifier)
        return Qt::Key_unknown;
    return keys[0].key();
}
} // namespace

AccessSettings AccessSettings::read(const SettingsStore &store)
{
    AccessSettings settings = SettingsTable::read<AccessSettings>(store, kKeys);
    const QString key =
        store.read(QString::fromUtf16(kCallKeyName), QString::fromUtf16(kDefaultCallKey));
    if (singleKey(key) != Qt::Key_unknown)
        settings.callKey = key.trimmed();
    const QList<int> defaultA = SwitchKeys::parse(QString::fromUtf16(kDefaultSwitchAKeys));
    const QList<int> defaultB = SwitchKeys::parse(QString::fromUtf16(kDefaultSwitchBKeys));
    QList<int> a = storedKeys(store, kSwitchAKeysName, kDefaultSwitchAKeys);
    if (a.isEmpty())
        a = defaultA;
    // Switch B: its own keys, else its default keys, else switch A's default ones; as a last
    // resort switch A (then holding them all) hands it its last key.
    QList<int> b = without(storedKeys(store, kSwitchBKeysName, kDefaultSwitchBKeys), a);
    if (b.isEmpty())
        b = without(defaultB, a);
    if (b.isEmpty())
        b = without(defaultA, a);
    if (b.isEmpty())
        b = {a.takeLast()};
    settings.switchAKeys = SwitchKeys::names(a);
    settings.switchBKeys = SwitchKeys::names(b);
    if ((a + b).contains(settings.callKeyCode()))
        settings.callKey = QString::fromUtf16(kDefaultCallKey);
    if ((a + b).contains(settings.callKeyCode()))
        settings.callKey.clear();
    if (settings.callHoldMs > 0)
        settings.callHoldMs = std::max(settings.callHoldMs, settings.lowestCallHoldMs());
    return settings;
}

int AccessSettings::callKeyCode() const
{
    return singleKey(callKey);
}

QList<int> AccessSettings::switchAKeyCodes() const
{
    return SwitchKeys::parse(switchAKeys);
}

QList<int> AccessSettings::switchBKeyCodes() const
{
    QList<int> keys = SwitchKeys::parse(switchBKeys);
    for (int key : switchAKeyCodes())
        keys.removeAll(key);
    return keys;
}

void AccessSettings::write(SettingsStore &store) const
{
    SettingsTable::write(store, *this, kKeys);
    store.write(QString::fromUtf16(kCallKeyName), callKey);
    store.write(QString::fromUtf16(kSwitchAKeysName), switchAKeys);
    store.write(QString::fromUtf16(kSwitchBKeysName), switchBKeys);
}

int AccessSettings::effectiveIgnoreMs() const
{
    return std::min(switchIgnoreMs, scanStepMs / 2 - 1);
}
