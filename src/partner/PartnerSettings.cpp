#include "partner/PartnerSettings.h"

#include "platform/SettingsStore.h"

using namespace Qt::Literals::StringLiterals;

PartnerSettings PartnerSettings::read(const SettingsStore &store)
{
    return {store.read(u"On"_s, u"0"_s).trimmed() == u"1"_s, store.read(u"Screen"_s, QString())};
}

bool PartnerSettings::write(SettingsStore &store) const
{
    store.write(u"On"_s, on ? u"1"_s : u"0"_s);
    store.write(u"Screen"_s, screen);
    return store.sync();
}
