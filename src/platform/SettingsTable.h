#pragma once

#include "platform/SettingsStore.h"

#include <algorithm>
#include <cstddef>

// A section of whole-number settings read through one table of keys: each key names its field,
// default and range. An out-of-range value is held to its range; text that is not a number
// reads as the default.
namespace SettingsTable {

template <typename Values, typename Key, std::size_t N>
Values read(const SettingsStore &store, const Key (&keys)[N])
{
    Values values;
    for (const Key &key : keys) {
        bool ok = false;
        const qlonglong value =
            store.read(QString::fromUtf16(key.name), QString()).trimmed().toLongLong(&ok);
        values.*key.field =
            ok ? int(std::clamp<qlonglong>(value, key.lowest, key.highest)) : key.defaultValue;
    }
    return values;
}

// Writes every key as decimal text.
template <typename Values, typename Key, std::size_t N>
void write(SettingsStore &store, const Values &values, const Key (&keys)[N])
{
    for (const Key &key : keys)
        store.write(QString::fromUtf16(key.name), QString::number(values.*key.field));
}

} // namespace SettingsTable
