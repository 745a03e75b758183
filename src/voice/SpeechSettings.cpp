#include "voice/SpeechSettings.h"

#include "platform/SettingsTable.h"

const SpeechSettings::Key SpeechSettings::kKeys[4] = {
    {u"Mode", &SpeechSettings::mode, 0, 0, 1},
    {u"Speed", &SpeechSettings::speed, 100, 50, 200},
    {u"Pitch", &SpeechSettings::pitch, 0, -6, 6},
    {u"Volume", &SpeechSettings::volume, 0, -12, 6},
};

SpeechSettings SpeechSettings::read(const SettingsStore &store)
{
    return SettingsTable::read<SpeechSettings>(store, kKeys);
}

void SpeechSettings::write(SettingsStore &store) const
{
    SettingsTable::write(store, *this, kKeys);
}
