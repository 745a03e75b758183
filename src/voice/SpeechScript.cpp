#include "voice/SpeechScript.h"

#include "voice/VoiceReadings.h"

using namespace Qt::Literals::StringLiterals;

namespace SpeechScript {
namespace {

enum class Kind
{
    Word,    // said as written
    Reading, // a mark, letter or emoticon said by its reading
    Pause,   // 、 or a space: a short pause inside a part
    End,     // 。？！: ends a part
    Break,   // a line end: ends a part, not said
    Dropped, // the end marker and control characters
};

struct Token
{
    Kind kind = Kind::Word;
    int start = 0;
    int length = 1;
    QString spoken;
    QString reading; // what a lone mark is said as
};

bool isKana(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3041 && u <= 0x309F) || (u >= 0x30A0 && u <= 0x30FF);
}

bool isWordChar(QChar c)
{
    return isKana(c) || c.isDigit() || c.script() == QChar::Script_Han || c.isSurrogate();
}

// ー and the small kana belong to the kana before them; alone they are read as marks.
bool joinsPrevious(QChar c)
{
    static const QString joining = u"ーぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ"_s;
    return joining.contains(c);
}

bool betweenDigits(const QString &text, int i)
{
    return i > 0 && i + 1 < text.size() && text.at(i - 1).isDigit() && text.at(i + 1).isDigit();
}

// The emoticon (a reading of more than one character) that starts at `i`, if any.
QString emoticonAt(const QString &text, int i, const VoiceReadings &readings)
{
    for (const QString &t : readings.texts())
        if (t.size() > 1 && QStringView(text).mid(i).startsWith(t))
            return t;
    return {};
}

Token tokenAt(const QString &text, int i, const VoiceReadings &readings)
{
    const QString emoticon = emoticonAt(text, i, readings);
    if (!emoticon.isEmpty())
        return {Kind::Reading, i, int(emoticon.size()), readings.reading(emoticon), {}};
    const QChar c = text.at(i);
    const QString own(c);
    const QString reading = readings.reading(own);
    switch (c.unicode()) {
    case u'_':
        return {Kind::Dropped, i, 1, {}, {}};
    case u'\n':
    case u'\r':
    case QChar::ParagraphSeparator:
    case QChar::LineSeparator:
        return {Kind::Break, i, 1, {}, {}};
    case u'。':
    case u'？':
    case u'！':
        return {Kind::End, i, 1, own, reading};
    case u'?':
        return {Kind::End, i, 1, u"？"_s, reading};
    case u'!':
        return {Kind::End, i, 1, u"！"_s, reading};
    case u'.':
        if (betweenDigits(text, i))
            return {Kind::Word, i, 1, own, {}};
        return {Kind::End, i, 1, u"。"_s, reading};
    case u',':
        if (betweenDigits(text, i))
            return {Kind::Word, i, 1, own, {}};
        return {Kind::Pause, i, 1, u"、"_s, reading};
    case u'、':
        return {Kind::Pause, i, 1, own, reading};
    default:
        break;
    }
    if (c.isSpace())
        return {Kind::Pause, i, 1, u"、"_s, reading};
    // A control character (a NUL pasted in) would end the engine's input there.
    if (c.category() == QChar::Other_Control)
        return {Kind::Dropped, i, 1, {}, {}};
    // Letters are read as the board says them, in either case and either width.
    const QString folded = own.normalized(QString::NormalizationForm_KC).toUpper();
    if (folded.size() == 1 && folded.at(0) >= u'A' && folded.at(0) <= u'Z')
        return {Kind::Reading, i, 1, readings.reading(folded), {}};
    if (joinsPrevious(c))
        return i > 0 && isWordChar(text.at(i - 1)) ? Token{Kind::Word, i, 1, own, {}}
                                                   : Token{Kind::Reading, i, 1, reading, {}};
    if (isWordChar(c) || !readings.contains(own) || reading == own)
        return {Kind::Word, i, 1, own, {}};
    return {Kind::Reading, i, 1, reading, {}};
}

QList<Token> tokens(const QString &text, const VoiceReadings &readings)
{
    QList<Token> list;
    for (int i = 0; i < text.size();) {
        Token t = tokenAt(text, i, readings);
        if (t.kind == Kind::Word && text.at(i).isHighSurrogate() && i + 1 < text.size()) {
            t.length = 2;
            t.spoken = text.mid(i, 2);
        }
        // Several spaces are one pause.
        if (!(t.kind == Kind::Pause && !list.isEmpty() && list.last().kind == Kind::Pause))
            list.append(t);
        i += t.length;
    }
    return list;
}

bool isSaid(const Token &t)
{
    return t.kind == Kind::Word || t.kind == Kind::Reading;
}

int spokenLength(const QList<Token> &run)
{
    int n = 0;
    for (const Token &t : run)
        n += int(t.spoken.size());
    return n;
}

// Where to cut a run that grew past its limit: after its last pause, else after its last
// particle past the first third, else before its last token.
qsizetype cutPoint(const QList<Token> &run, int limit)
{
    for (qsizetype i = run.size() - 2; i > 0; --i)
        if (run[i].kind == Kind::Pause)
            return i + 1;
    static const QString particles = u"はがをにでともへね"_s;
    int said = spokenLength(run);
    for (qsizetype i = run.size() - 2; i > 0; --i) {
        said -= int(run[i + 1].spoken.size());
        if (said < limit / 3)
            break;
        if (run[i].kind == Kind::Word && run[i].spoken.size() == 1 &&
            particles.contains(run[i].spoken.at(0)) && !joinsPrevious(run[i + 1].spoken.front()))
            return i + 1;
    }
    return run.size() - 1;
}

// A part of the tokens; marks said alone (a lone "？") are read by their readings.
Part makePart(const QList<Token> &run, int textStart)
{
    const bool anySaid = std::any_of(run.begin(), run.end(), isSaid);
    Part part;
    part.textStart = textStart;
    for (const Token &t : run) {
        QString spoken = t.spoken;
        if (!anySaid)
            spoken = t.reading;
        else if (t.kind == Kind::Pause && part.spoken.isEmpty())
            continue; // a part does not start with a pause
        for (qsizetype k = 0; k < spoken.size(); ++k)
            part.sources.append({t.start, t.length});
        part.spoken += spoken;
    }
    return part;
}

} // namespace

QList<Part> parts(const QString &text, const VoiceReadings &readings)
{
    QList<Part> result;
    QList<Token> run;
    int runStart = 0;
    const auto close = [&](int nextStart) {
        const Part part = makePart(run, runStart);
        if (!part.spoken.isEmpty())
            result.append(part);
        run.clear();
        runStart = nextStart;
    };
    for (const Token &t : tokens(text, readings)) {
        if (t.kind == Kind::Dropped)
            continue;
        if (t.kind == Kind::Break) {
            close(t.start + t.length);
            continue;
        }
        run.append(t);
        if (t.kind == Kind::End) {
            close(t.start + t.length);
            continue;
        }
        const int limit = result.isEmpty() ? kMaxFirstPart : kMaxPart;
        if (spokenLength(run) <= limit || run.size() < 2)
            continue;
        const qsizetype cut = cutPoint(run, limit);
        const QList<Token> rest = run.mid(cut);
        run.resize(cut);
        close(rest.first().start);
        run = rest;
    }
    close(int(text.size()));
    return result;
}

} // namespace SpeechScript
