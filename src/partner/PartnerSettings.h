#pragma once

#include <QString>

class SettingsStore;

// Section "PARTNER": whether the partner's view is open (`On`, off unless stored as 1) and the
// name of the screen it was last shown on full screen (`Screen`, empty at first).
struct PartnerSettings
{
    bool on = false;
    QString screen;

    static PartnerSettings read(const SettingsStore &store);
    // Writes both keys and syncs; false when they could not be stored.
    bool write(SettingsStore &store) const;
};
