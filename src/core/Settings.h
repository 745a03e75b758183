#pragma once

#include <QString>

struct Options;
class SettingsStore;

// The eight stored settings: keys, defaults and how they reach module state.
namespace Settings {

struct Key
{
    const char16_t *name;
    int defaultValue;
};

// In reading order.
inline constexpr Key kKeys[] = {{u"OPT1", 0}, {u"OPT2", 0}, {u"OPT3", 0},  {u"Beep", 0},
                                {u"Moji", 0}, {u"Samp", 1}, {u"gMaxC", 9}, {u"Sample", 2}};

// Reads every key with its default into the options and normalises the numbers:
// a gMaxC of 10 (or anything below 9) becomes 9, above 29 becomes 29; Sample is held to 1..5.
void load(Options &options, const SettingsStore &store);
// Writes one setting as decimal text.
void save(SettingsStore &store, const QString &key, int value);

} // namespace Settings
