#include "predict/KanaKey.h"

namespace {

constexpr char16_t kFirstKatakana = u'ァ';
constexpr char16_t kLastFoldable = u'ヶ';
constexpr char16_t kKatakanaToHiragana = u'ァ' - u'ぁ';

bool endsSentence(QChar c)
{
    return c == u'。' || c == u'！' || c == u'？' || c == u'!' || c == u'?' || c == u'\n';
}

} // namespace

QString KanaKey::fold(QStringView text)
{
    QString key(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        key[i] = QChar(c >= kFirstKatakana && c <= kLastFoldable ? c - kKatakanaToHiragana : c);
    }
    return key;
}

qsizetype KanaKey::sentenceStart(QStringView text, qsizetype caret)
{
    for (qsizetype i = std::min(caret, text.size()); i > 0; --i) {
        if (endsSentence(text[i - 1]))
            return i;
    }
    return 0;
}
