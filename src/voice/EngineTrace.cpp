#include "voice/EngineTrace.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 kLabelUnitsPerMs = 10000; // labels count in units of 100 ns

struct Word
{
    QString surface;
    int morae = 0;
    int first = -1; // where it was found in the input; -1 when not found
    int count = 0;
};

struct Label
{
    qint64 startMs = 0;
    qint64 endMs = 0;
    QString phoneme;
    QString moraKey; // the label's mora and accent-phrase fields: equal within one mora
};

// The section of the trace under `heading`, up to the next blank line.
QStringList section(const QString &trace, QStringView heading)
{
    QStringList lines;
    bool inside = false;
    for (const QStringView line : QStringView(trace).split(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (!inside) {
            inside = trimmed == heading;
            continue;
        }
        if (trimmed.isEmpty())
            break;
        lines.append(trimmed.toString());
    }
    return lines;
}

QList<Word> words(const QString &trace)
{
    QList<Word> list;
    for (const QString &line : section(trace, u"[Text analysis result]")) {
        const QStringList fields = line.split(u',');
        if (fields.size() < 11)
            continue;
        const int morae = fields[10].section(u'/', 1, 1).toInt();
        list.append({fields[0], morae});
    }
    return list;
}

QList<Label> labels(const QString &trace)
{
    QList<Label> list;
    for (const QString &line : section(trace, u"[Output label]")) {
        const QStringList fields = line.split(u' ');
        if (fields.size() < 3)
            continue;
        const QString &full = fields[2];
        const qsizetype minus = full.indexOf(u'-');
        const qsizetype plus = full.indexOf(u'+', minus);
        const qsizetype a = full.indexOf(u"/A:");
        const qsizetype b = full.indexOf(u"/B:");
        const qsizetype f = full.indexOf(u"/F:");
        const qsizetype g = full.indexOf(u"/G:");
        if (minus < 0 || plus < 0 || a < 0 || b < a || f < 0 || g < f)
            continue;
        list.append(
            {fields[0].toLongLong() / kLabelUnitsPerMs, fields[1].toLongLong() / kLabelUnitsPerMs,
             full.mid(minus + 1, plus - minus - 1), full.mid(a, b - a) + full.mid(f, g - f)});
    }
    return list;
}

bool isSilence(const Label &label)
{
    return label.phoneme == u"sil"_s || label.phoneme == u"pau"_s;
}

// The engine's voiceless stops and affricates, whose sound begins after a closure.
bool opensWithClosure(const Label &label)
{
    static const QStringList closures{u"k"_s, u"ky"_s, u"kw"_s, u"t"_s, u"ty"_s,
                                      u"p"_s, u"py"_s, u"ch"_s, u"ts"_s};
    return closures.contains(label.phoneme);
}

// Finds each word in the input from where the previous one ended; the engine's text
// normalisation (full-width digits and marks) is undone by comparing compatibility forms.
void place(QList<Word> &list, const QString &input)
{
    const QString plain = input.normalized(QString::NormalizationForm_KC);
    // Normalisation keeps the length of what the board enters; otherwise nothing is placed.
    if (plain.size() != input.size())
        return;
    int cursor = 0;
    for (Word &w : list) {
        const QString surface = w.surface.normalized(QString::NormalizationForm_KC);
        int at = cursor;
        while (at < plain.size() && plain.at(at).isSpace())
            ++at;
        if (surface.isEmpty() || !QStringView(plain).mid(at).startsWith(surface))
            continue;
        w.first = at;
        w.count = int(surface.size());
        cursor = at + w.count;
    }
}

// The characters of `count` morae said from input[first, first + length): a kana with the small
// kana after it is one mora; when that does not fit (kanji, numbers), spread evenly.
QList<std::pair<int, int>> spread(const QString &input, int first, int length, int count)
{
    static const QString small = u"ぁぃぅぇぉゃゅょゎァィゥェォャュョヮ"_s;
    QList<std::pair<int, int>> groups;
    for (int i = first; i < first + length; ++i) {
        if (!groups.isEmpty() && small.contains(input.at(i)))
            ++groups.last().second;
        else
            groups.append({i, 1});
    }
    if (groups.size() == count)
        return groups;
    QList<std::pair<int, int>> even;
    for (int k = 0; k < count; ++k) {
        const int from = first + int(qint64(k) * length / count);
        const int to = first + int(qint64(k + 1) * length / count);
        even.append({from, std::max(1, to - from)});
    }
    return even;
}

} // namespace

EngineTrace EngineTrace::read(const QString &trace, const QString &input)
{
    const QList<Label> all = labels(trace);
    EngineTrace result;
    if (all.isEmpty() || input.isEmpty())
        return result;
    result.labelsEndMs = all.last().endMs;
    // The labels' morae, in order: their start times.
    QList<qint64> moraStarts;
    QString key;
    for (const Label &label : all) {
        if (isSilence(label)) {
            key.clear();
            continue;
        }
        if (label.moraKey != key)
            moraStarts.append(label.startMs);
        key = label.moraKey;
    }
    const auto firstSound = std::find_if_not(all.begin(), all.end(), isSilence);
    const auto lastSound = std::find_if_not(all.rbegin(), all.rend(), isSilence);
    if (firstSound == all.end())
        return result;
    result.speechStartMs = firstSound->startMs;
    if (opensWithClosure(*firstSound))
        result.closureEndMs = firstSound->endMs;
    result.speechEndMs = lastSound->endMs;

    // Each word's characters: found ones as found; a run of words not found shares what lies
    // between the found words around it.
    QList<Word> list = words(trace);
    list.removeIf([](const Word &w) { return w.morae <= 0; });
    // Counts beyond the labels' morae are damage, not speech: the labels alone are believed.
    qint64 counted = 0;
    for (const Word &w : std::as_const(list))
        counted += w.morae;
    if (counted > moraStarts.size())
        list.clear();
    place(list, input);
    QList<std::pair<int, int>> characters; // one per mora
    for (qsizetype i = 0; i < list.size();) {
        if (list[i].first >= 0) {
            characters += spread(input, list[i].first, list[i].count, list[i].morae);
            ++i;
            continue;
        }
        qsizetype j = i;
        int morae = 0;
        while (j < list.size() && list[j].first < 0)
            morae += list[j++].morae;
        const int last = int(input.size()) - 1;
        const int from = std::min(i > 0 ? list[i - 1].first + list[i - 1].count : 0, last);
        const int to = j < list.size() ? list[j].first : last + 1;
        characters += spread(input, from, std::max(1, to - from), morae);
        i = j;
    }
    // Labels and words disagree (an engine quirk): spread the labels' morae over the input.
    if (characters.size() != moraStarts.size())
        characters = spread(input, 0, int(input.size()), int(moraStarts.size()));
    for (qsizetype k = 0; k < moraStarts.size(); ++k) {
        const int first = std::clamp(characters[k].first, 0, int(input.size()) - 1);
        const int count = std::clamp(characters[k].second, 1, int(input.size()) - first);
        result.morae.append({moraStarts[k], first, count});
    }
    return result;
}
