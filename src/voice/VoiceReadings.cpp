#include "voice/VoiceReadings.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kCueFolder = u"cues/"_s;

QString foldKatakana(QString text)
{
    for (QChar &c : text) {
        // ァ (U+30A1) to ヶ (U+30F6) lie 0x60 above their hiragana.
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)
            c = QChar(char16_t(c.unicode() - 0x60));
    }
    return text;
}

} // namespace

VoiceReadings::VoiceReadings(const QString &table)
{
    const QStringList lines = table.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        const QString text = tab < 0 ? line : line.left(tab);
        const QString reading = tab < 0 ? QString() : line.mid(tab + 1);
        const QString name = caption(text);
        if (name.isEmpty() || name.contains(u'/') || m_readings.contains(text))
            continue;
        m_texts.append(text);
        m_readings.insert(text, reading.isEmpty() ? text : reading);
    }
}

bool VoiceReadings::isCue(const QString &text)
{
    return text.startsWith(kCueFolder);
}

QString VoiceReadings::cue(const QString &caption)
{
    return kCueFolder + caption;
}

QString VoiceReadings::caption(const QString &text)
{
    return isCue(text) ? text.mid(kCueFolder.size()) : text;
}

VoiceReadings VoiceReadings::builtIn()
{
    QFile file(u":/voices/readings.tsv"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return VoiceReadings(QString::fromUtf8(file.readAll()));
}

QStringList VoiceReadings::sharing(const QString &text) const
{
    if (!contains(text))
        return {};
    const QString key = foldKatakana(reading(text));
    QStringList texts{text};
    for (const QString &other : m_texts) {
        if (other != text && foldKatakana(m_readings.value(other)) == key)
            texts.append(other);
    }
    return texts;
}
