#pragma once

#include <QStringList>

class SettingsStore;

// Section "QUICK": whether the quick answers are shown (`On`, off unless stored as 1) and their
// phrases (`Phrases`, one a line; the six defaults while nothing is stored).
struct QuickSettings
{
    static constexpr int kMaxPhrases = 6;
    static constexpr int kMaxLength = 20; // a short answer, said in one breath

    bool on = false;
    QStringList phrases;

    static QStringList defaultPhrases();
    // Lines trimmed, empty ones dropped, each cut to kMaxLength, at most kMaxPhrases of them.
    static QStringList tidy(const QStringList &lines);
    static QuickSettings read(const SettingsStore &store);
    // Writes both keys; the caller syncs.
    void write(SettingsStore &store) const;
};
