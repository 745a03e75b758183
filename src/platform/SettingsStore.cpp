#include "platform/SettingsStore.h"

#include <QSettings>

using namespace Qt::Literals::StringLiterals;

QtSettingsStore::QtSettingsStore(const QString &iniPath, const QString &section)
    : m_settings(iniPath.isEmpty() ? std::make_unique<QSettings>(u"Talk"_s, u"Talk"_s)
                                   : std::make_unique<QSettings>(iniPath, QSettings::IniFormat)),
      m_section(section)
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
