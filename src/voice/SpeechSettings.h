#pragma once

class SettingsStore;

// How "読む" speaks (section "VOICE"): character by character as always, or as sentences by
// the speech engine with its speed, pitch and volume. A missing or malformed value reads as
// its default and a value out of range is held to its range, so with nothing stored "読む"
// reads character by character.
struct SpeechSettings
{
    struct Key
    {
        const char16_t *name;
        int SpeechSettings::*field;
        int defaultValue;
        int lowest;
        int highest;
    };

    int mode = 0;    // 0 one character at a time, 1 as sentences
    int speed = 100; // per cent of the engine's own speed
    int pitch = 0;   // half-tones up or down
    int volume = 0;  // dB louder or softer

    static const Key kKeys[4];

    static SpeechSettings read(const SettingsStore &store);
    // Writes every key as decimal text.
    void write(SettingsStore &store) const;
    bool operator==(const SpeechSettings &) const = default;
};
