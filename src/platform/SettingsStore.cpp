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
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)), m_iniPath(iniPath)
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

bool QtSettingsStore::sync()
{
    // QSettings keeps the first error it meets for good. A fresh object on the same file, which
    // shares Qt's pending changes with the old one, tells whether storing works now.
    auto fresh = m_iniPath.isEmpty() ? std::make_unique<QSettings>(u"Talk"_s, u"Talk"_s)
                                     : std::make_unique<QSettings>(m_iniPath, QSettings::IniFormat);
    fresh->sync();
    m_settings = std::move(fresh);
    return m_settings->status() == QSettings::NoError;
}
