#include "record/RecordPages.h"

#include "boards/BoardTables.h"
#include "boards/BoardTexts.h"
#include "record/RecordTexts.h"
#include "voice/VoiceReadings.h"

#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kKanaGroups = 15;
constexpr int kRows = 5;
constexpr int kMarksColumns = 10;
constexpr int kCuesColumns = 6; // the buttons' names are words
constexpr char16_t kSmallKana[] = u"ぁぃぅぇぉっゃゅょ";
constexpr char16_t kSpace[] = u"　";
constexpr char16_t kEndMark[] = u"_";

using KanaTable = std::array<std::array<const char16_t *, 5>, 15>;

RecordPage kanaPage(const QString &caption, const KanaTable &table)
{
    RecordPage page{caption, kRows, kKanaGroups, {}};
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kKanaGroups; ++column)
            page.cells.append(
                QString::fromUtf16(table[size_t(kKanaGroups - 1 - column)][size_t(row)]));
    }
    return page;
}

RecordPage alphanumericPage()
{
    const auto &table = BoardTables::kAlphanumeric;
    RecordPage page{
        QString::fromUtf16(BoardTexts::kAlphanumeric), int(table.size()), int(table[0].size()), {}};
    for (const auto &row : table) {
        for (const char16_t *text : row)
            page.cells.append(QString::fromUtf16(text));
    }
    return page;
}

} // namespace

namespace RecordPages {

QList<RecordPage> pages(const VoiceReadings &readings, const QStringList &answers)
{
    QList<RecordPage> result{
        kanaPage(QString::fromUtf16(BoardTexts::kHiragana), BoardTables::kHiragana),
        kanaPage(QString::fromUtf16(BoardTexts::kKatakana), BoardTables::kKatakana),
        alphanumericPage()};
    QSet<QString> shown;
    for (const RecordPage &page : result)
        shown.unite(QSet<QString>(page.cells.cbegin(), page.cells.cend()));
    RecordPage marks{QString::fromUtf16(RecordTexts::kMarksPage), 0, kMarksColumns, {}};
    RecordPage cues{QString::fromUtf16(RecordTexts::kCuesPage), 0, kCuesColumns, {}};
    for (const QString &text : readings.texts()) {
        if (shown.contains(text))
            continue;
        (VoiceReadings::isCue(text) ? cues : marks).cells.append(text);
    }
    for (RecordPage *page : {&marks, &cues})
        page->rows = int((page->cells.size() + page->columns - 1) / page->columns);
    result.append(marks);
    if (!cues.cells.isEmpty())
        result.append(cues);
    if (!answers.isEmpty())
        result.append(
            {QString::fromUtf16(RecordTexts::kAnswersPage), int(answers.size()), 1, answers});
    return result;
}

QStringList order(const VoiceReadings &readings, const QStringList &answers)
{
    QStringList wanted;
    for (int group = 0; group < kKanaGroups; ++group) {
        for (const char16_t *text : BoardTables::kHiragana[size_t(group)])
            wanted.append(QString::fromUtf16(text));
    }
    for (QChar small : QStringView(kSmallKana))
        wanted.append(QString(small));
    wanted << QString::fromUtf16(kSpace) << QString::fromUtf16(kEndMark);
    for (const auto &row : BoardTables::kAlphanumeric) {
        for (const char16_t *text : row)
            wanted.append(QString::fromUtf16(text));
    }
    wanted.append(readings.texts());
    wanted.append(answers);

    QStringList result;
    QSet<QString> seen;
    for (const QString &text : std::as_const(wanted)) {
        if ((readings.contains(text) || answers.contains(text)) && !seen.contains(text)) {
            seen.insert(text);
            result.append(text);
        }
    }
    return result;
}

} // namespace RecordPages
