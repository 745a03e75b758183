#pragma once

#include <QList>
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
    int scanCue = 0;        // what a lit item sounds: 0 nothing, 1 a tick, 2 its spoken name
    int scanCueVolume = 50; // percent of the cue's full level
    int switchMouse = 0;    // 1: any mouse button is switch A
    int switchHoldMs = 0;   // >0: a switch acts on release, when held this long
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

    // The keys of switch A and switch B (key names, as QKeySequence writes them).
    QString switchAKeys = QString::fromUtf16(kDefaultSwitchAKeys);
    QString switchBKeys = QString::fromUtf16(kDefaultSwitchBKeys);

    static constexpr char16_t kDefaultCallKey[] = u"F12";
    static constexpr char16_t kDefaultSwitchAKeys[] = u"Space, 1";
    static constexpr char16_t kDefaultSwitchBKeys[] = u"Return, 2";
    static const Key kKeys[19];

    // A call hold comes at least this long after the switch hold: a long press that selects
    // never rings the call.
    static constexpr int kCallHoldMarginMs = 1000;

    // Reads the section. Stored values that contradict each other read safely: each switch
    // keeps a key of its own, no switch key rings the call (the switch keeps it and the call
    // takes its default key, or none if that is a switch's too), and the call hold comes at
    // least kCallHoldMarginMs after the switch hold.
    static AccessSettings read(const SettingsStore &store);
    // The shortest call hold that goes with the switch hold.
    int lowestCallHoldMs() const { return switchHoldMs + kCallHoldMarginMs; }
    // The call key as a key code; a name that is no single key reads as the default;
    // Qt::Key_unknown when no key rings the call.
    int callKeyCode() const;
    // The key codes of each switch; a key named for both counts for switch A only.
    QList<int> switchAKeyCodes() const;
    QList<int> switchBKeyCodes() const;
    // Writes every key as decimal text, and the key names.
    void write(SettingsStore &store) const;
    // The debounce actually used: below half a step, so a wanted press is never dropped.
    int effectiveIgnoreMs() const;
};
