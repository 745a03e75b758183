#include "platform/SettingsStore.h"

#include <QSettings>

using namespace Qt::Literals::StringLiterals;

namespace {
// The user's own store (organisation and application "Talk"), or the INI file at `iniPath`.
std::unique_ptr<QSettings> open(const QString &iniPath)
{
    return iniPath.isEmpty() ? std::make_unique<QSettings>(u"Talk"_s, u"Talk"_s)
                             : std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}
} // namespace

QtSettingsStore::QtSettingsStore(const QString &iniPath, const QString &section)
    : m_settings(open(iniPath)), m_iniPath(iniPath), m_section(section)
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
    auto fresh = open(m_iniPath);
    fresh->sync();
    m_settings = std::move(fresh);
    return m_settings->status() == QSettings::NoError;
}

QString PendingSettingsStore::read(const QString &key, const QString &defaultValue) const
{
    const auto pending = m_pending.constFind(key);
    return pending != m_pending.cend() ? *pending : m_store.read(key, defaultValue);
}

bool PendingSettingsStore::commit()
{
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
        m_store.write(it.key(), it.value());
    m_pending.clear();
    return m_store.sync();
}
