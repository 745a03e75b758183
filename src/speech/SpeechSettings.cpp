#include "speech/SpeechSettings.h"

#include "platform/SettingsStore.h"

#include <algorithm>

const SpeechSettings::Key SpeechSettings::kKeys[4] = {
    {u"Mode", &SpeechSettings::mode, 0, 0, 1},
    {u"Speed", &SpeechSettings::speed, 100, 50, 200},
    {u"Pitch", &SpeechSettings::pitch, 0, -6, 6},
    {u"Volume", &SpeechSettings::volume, 0, -12, 6},
};

SpeechSettings SpeechSettings::read(const SettingsStore &store)
{
    SpeechSettings settings;
    for (const Key &key : kKeys) {
        bool ok = false;
        const qlonglong value =
            store.read(QString::fromUtf16(key.name), QString()).trimmed().toLongLong(&ok);
        settings.*key.field =
            ok ? int(std::clamp<qlonglong>(value, key.lowest, key.highest)) : key.defaultValue;
    }
    return settings;
}

void SpeechSettings::write(SettingsStore &store) const
{
    for (const Key &key : kKeys)
        store.write(QString::fromUtf16(key.name), QString::number(this->*key.field));
}
