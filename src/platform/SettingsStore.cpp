#include "platform/SettingsStore.h"

#include <QSettings>

using namespace Qt::Literals::StringLiterals;

namespace {
QString keyPath(const QString &key)
{
    return u"OPT/"_s + key;
}
} // namespace

QtSettingsStore::QtSettingsStore() : m_settings(std::make_unique<QSettings>(u"Talk"_s, u"Talk"_s))
{
}

QtSettingsStore::QtSettingsStore(const QString &iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::read(const QString &key, const QString &defaultValue) const
{
    const QVariant value = m_settings->value(keyPath(key));
    if (!value.isValid())
        return defaultValue;
    return value.toString();
}

void QtSettingsStore::write(const QString &key, const QString &value)
{
    m_settings->setValue(keyPath(key), value);
    m_settings->sync();
}
