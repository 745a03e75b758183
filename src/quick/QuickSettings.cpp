#include "quick/QuickSettings.h"

#include "platform/SettingsStore.h"
#include "quick/QuickTexts.h"

using namespace Qt::Literals::StringLiterals;

QStringList QuickSettings::defaultPhrases()
{
    QStringList phrases;
    for (const char16_t *phrase : QuickTexts::kDefaultPhrases)
        phrases.append(QString::fromUtf16(phrase));
    return phrases;
}

QStringList QuickSettings::tidy(const QStringList &lines)
{
    QStringList phrases;
    for (const QString &line : lines) {
        const QString phrase = line.trimmed().left(kMaxLength);
        if (!phrase.isEmpty() && phrases.size() < kMaxPhrases)
            phrases.append(phrase);
    }
    return phrases;
}

QuickSettings QuickSettings::read(const SettingsStore &store)
{
    QuickSettings settings;
    settings.on = store.read(u"On"_s, u"0"_s).trimmed() == u"1"_s;
    // No stored text holds a NUL: it stands for "nothing stored".
    const QString missing(QChar(u'\0'));
    const QString stored = store.read(u"Phrases"_s, missing);
    settings.phrases = stored == missing ? defaultPhrases() : tidy(stored.split(u'\n'));
    return settings;
}

void QuickSettings::write(SettingsStore &store) const
{
    store.write(u"On"_s, on ? u"1"_s : u"0"_s);
    store.write(u"Phrases"_s, tidy(phrases).join(u'\n'));
}
