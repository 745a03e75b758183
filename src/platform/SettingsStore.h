#pragma once

#include <QMap>
#include <QString>
#include <memory>

class QSettings;

// The per-user settings store: application "Talk", one section ("OPT" unless named), text values.
class SettingsStore
{
  public:
    virtual ~SettingsStore() = default;
    // The stored text, or `defaultValue` when the key is missing.
    virtual QString read(const QString &key, const QString &defaultValue) const = 0;
    virtual void write(const QString &key, const QString &value) = 0;
    // Stores what was written; false when it could not be stored (full disk, no access).
    virtual bool sync() = 0;
};

class QtSettingsStore final : public SettingsStore
{
  public:
    // The user's own store (QSettings, organisation and application "Talk"), or, given
    // `iniPath`, a store kept in that INI file (tests, benchmarks).
    explicit QtSettingsStore(const QString &iniPath = {},
                             const QString &section = QStringLiteral("OPT"));
    ~QtSettingsStore() override;

    QString read(const QString &key, const QString &defaultValue) const override;
    void write(const QString &key, const QString &value) override;
    bool sync() override;

  private:
    QString keyPath(const QString &key) const { return m_section + u'/' + key; }

    std::unique_ptr<QSettings> m_settings;
    QString m_iniPath;
    QString m_section;
};

// Writes held back over another store until commit(): what an inner dialog confirms is stored
// only when the dialog around it is confirmed, and dropped when that one is cancelled.
class PendingSettingsStore final : public SettingsStore
{
  public:
    explicit PendingSettingsStore(SettingsStore &store) : m_store(store) {}

    QString read(const QString &key, const QString &defaultValue) const override;
    void write(const QString &key, const QString &value) override { m_pending.insert(key, value); }
    // Nothing is stored before commit(); holding the values cannot fail.
    bool sync() override { return true; }

    bool hasPending() const { return !m_pending.isEmpty(); }
    // Writes the held values to the store and syncs it; false when they could not be stored.
    bool commit();

  private:
    SettingsStore &m_store;
    QMap<QString, QString> m_pending;
};
