#include "predict/LearnedWords.h"

#include "predict/KanaKey.h"

namespace {

constexpr QChar kKeyEnd = QChar(1);
constexpr quint32 kMostPassed = 20;

QString mapKey(const QString &text)
{
    const QString key = KanaKey::fold(text);
    return key == text ? text : key + kKeyEnd + text;
}

QString textOf(const QString &mapKey)
{
    const qsizetype end = mapKey.indexOf(kKeyEnd);
    return end < 0 ? mapKey : mapKey.sliced(end + 1);
}

} // namespace

void LearnedWords::load(QStringList lines)
{
    clear();
    for (QString &line : lines) {
        const QStringList fields = line.split(u'\t');
        // Each line goes once read: the lines and the words are never held whole together.
        line = QString();
        bool usesOk = false;
        bool lastOk = false;
        bool passedOk = false;
        const quint32 uses = fields.size() == 4 ? fields[1].toUInt(&usesOk) : 0;
        const quint64 last = fields.size() == 4 ? fields[2].toULongLong(&lastOk) : 0;
        const quint32 passed = fields.size() == 4 ? fields[3].toUInt(&passedOk) : 0;
        if (!usesOk || !lastOk || !passedOk || fields[0].isEmpty() || fields[0].contains(kKeyEnd)) {
            ++m_skipped;
            continue;
        }
        Entry &e = entry(fields[0]);
        e.uses = uses;
        e.last = last;
        e.passed = std::min(passed, kMostPassed);
        if (e.passed > 0)
            m_passed.insert(fields[0], e.passed);
        m_step = std::max(m_step, last);
    }
}

QStringList LearnedWords::lines() const
{
    QStringList out;
    out.reserve(qsizetype(m_entries.size()));
    for (const auto &[key, e] : m_entries)
        out << textOf(key) + u'\t' + QString::number(e.uses) + u'\t' + QString::number(e.last) +
                   u'\t' + QString::number(e.passed);
    return out;
}

LearnedWords::Entry &LearnedWords::entry(const QString &text)
{
    return m_entries.try_emplace(mapKey(text)).first->second;
}

void LearnedWords::use(const QStringList &texts, quint32 weight)
{
    ++m_step;
    for (const QString &text : texts) {
        if (text.isEmpty() || text.contains(kKeyEnd) || text.contains(u'\t'))
            continue;
        Entry &e = entry(text);
        e.uses += weight;
        e.last = m_step;
        e.passed = 0;
        m_passed.remove(text);
    }
}

void LearnedWords::pass(const QString &text)
{
    if (text.isEmpty() || text.contains(kKeyEnd) || text.contains(u'\t'))
        return;
    Entry &e = entry(text);
    e.passed = std::min(e.passed + 1, kMostPassed);
    m_passed.insert(text, e.passed);
}

void LearnedWords::clear()
{
    m_entries.clear();
    m_passed.clear();
    m_step = 0;
    m_skipped = 0;
}

void LearnedWords::apply(const Change &change)
{
    switch (change.kind) {
    case Change::Kind::Use:
        use(change.texts, change.weight);
        return;
    case Change::Kind::Pass:
        for (const QString &text : change.texts)
            pass(text);
        return;
    case Change::Kind::Clear:
        clear();
        return;
    }
}

quint32 LearnedWords::passedOver(const QString &text) const
{
    return m_passed.value(text, 0);
}

void LearnedWords::forEachLonger(
    QStringView keyPrefix, const std::function<void(const QString &, const Entry &)> &visit) const
{
    for (auto it = m_entries.lower_bound(keyPrefix.toString());
         it != m_entries.end() && it->first.startsWith(keyPrefix); ++it) {
        const Entry &e = it->second;
        const QString text = textOf(it->first);
        if (e.uses > 0 && text.size() > keyPrefix.size())
            visit(text, e);
    }
}
