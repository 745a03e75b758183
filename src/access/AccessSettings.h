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
    int callOn = 0;        // the call chime's key, button and switch hold; off until a carer asks
    int callHoldMs = 3000; // switch A held this long rings the call chime; 0 off
    // The key that rings the call chime (a key name, as QKeySequence writes it).
    QString callKey = QString::fromUtf16(kDefaultCallKey);

    static constexpr char16_t kDefaultCallKey[] = u"F12";
    static const Key kKeys[15];

    static AccessSettings read(const SettingsStore &store);
    // The call key as a key code; a name that is no single key reads as the default.
    int callKeyCode() const;
    // A key name as a key code, or Qt::Key_unknown for text that names no single key.
    static int keyCode(const QString &name);
    // Writes every key as decimal text, and the call key's name.
    void write(SettingsStore &store) const;
    // The debounce actually used: below half a step, so a wanted press is never dropped.
    int effectiveIgnoreMs() const;
};
