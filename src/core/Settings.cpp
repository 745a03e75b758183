#include "core/Settings.h"

#include "core/AppState.h"
#include "platform/SettingsStore.h"

#include <algorithm>

namespace {
QString readKey(const SettingsStore &store, const Settings::Key &key)
{
    return store.read(QString::fromUtf16(key.name), QString::number(key.defaultValue));
}

// Widest board the program will build; wider stored values are held here so that a damaged
// store cannot ask for a board of millions of columns.
constexpr int kWidestMaxC = 29;
} // namespace

void Settings::load(Options &options, const SettingsStore &store)
{
    for (int slot = 1; slot <= 6; ++slot)
        options.gOptions[slot] = readKey(store, kKeys[slot - 1]);
    int maxC = optionNumber(readKey(store, kKeys[6]));
    if (maxC == 10 || maxC < 9)
        maxC = 9;
    options.gMaxC = std::min(maxC, kWidestMaxC);
    options.gSample = qint16(std::clamp(optionNumber(readKey(store, kKeys[7])), 1, 5));
}

void Settings::save(SettingsStore &store, const QString &key, int value)
{
    store.write(key, QString::number(value));
}
