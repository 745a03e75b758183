#pragma once

#include <QString>

class SettingsStore;

// The access settings (section "ACCESS"): switch scanning and dwell selection. Every value
// is read through one table of keys, defaults and ranges; an out-of-range value is held to
// its range and text that is not a number reads as the default.
struct AccessSettings
{
    struct Key
    {
        const char16_t *name;
        int AccessSettings::*field;
        int defaultValue;
        int lowest;
        int highest;
    };

    int scanMode = 0;  // 0 off, 1 one switch stepping by itself, 2 two switches
    int scanOrder = 0; // kana boards: 0 columns first, 1 rows first
    int scanStepMs = 1500;
    int scanFirstExtraMs = 1000;
    int scanLoops = 3;
    int scanStartOnPress = 1;
    int scanDim = 1;
    int switchIgnoreMs = 250;
    int dwellMode = 0;
    int dwellLockMs = 250;
    int dwellMs = 1000;
    int dwellGraceMs = 750;
    int dwellSafeMs = 2000;

    static const Key kKeys[13];

    static AccessSettings read(const SettingsStore &store);
    // Writes every key as decimal text.
    void write(SettingsStore &store) const;
    // The debounce actually used: below half a step, so a wanted press is never dropped.
    int effectiveIgnoreMs() const;
};
