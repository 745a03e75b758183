#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The voice texts and what each one says, from the reading table ("text TAB reading"; a text
// alone is read as itself; lines starting with # are comments). Texts that cannot be file
// names (holding "/") have no voice file and are left out; "cues/<caption>" names the spoken
// name of a button, heard while scanning, in the folder cues/.
class VoiceReadings
{
  public:
    VoiceReadings() = default;
    explicit VoiceReadings(const QString &table);
    // The table built into the program.
    static VoiceReadings builtIn();

    const QStringList &texts() const { return m_texts; }
    bool contains(const QString &text) const { return m_readings.contains(text); }
    QString reading(const QString &text) const { return m_readings.value(text); }
    // Every text read like `text` once katakana is folded to hiragana (ア and あ; ニ, に and 2),
    // `text` first, the others in table order.
    QStringList sharing(const QString &text) const;
    // Whether `text` is a button's spoken name, and what the button shows.
    static bool isCue(const QString &text);
    static QString cue(const QString &caption);
    static QString caption(const QString &text);

  private:
    QStringList m_texts;
    QHash<QString, QString> m_readings;
};
