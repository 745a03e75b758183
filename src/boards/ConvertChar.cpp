#include "boards/ConvertChar.h"

#include "platform/FlexGrid.h"

#include <algorithm>
#include <array>

namespace {

struct SmallForm
{
    char16_t key;
    char16_t form;
};

// Small kana; the capital letters are handled by rule.
constexpr std::array<SmallForm, 18> kSmall{{
    {u'あ', u'ぁ'},
    {u'い', u'ぃ'},
    {u'う', u'ぅ'},
    {u'え', u'ぇ'},
    {u'お', u'ぉ'},
    {u'つ', u'っ'},
    {u'や', u'ゃ'},
    {u'ゆ', u'ゅ'},
    {u'よ', u'ょ'},
    {u'ア', u'ァ'},
    {u'イ', u'ィ'},
    {u'ウ', u'ゥ'},
    {u'エ', u'ェ'},
    {u'オ', u'ォ'},
    {u'ツ', u'ッ'},
    {u'ヤ', u'ャ'},
    {u'ユ', u'ュ'},
    {u'ヨ', u'ョ'},
}};

struct VoicedForm
{
    char16_t key;
    char16_t right;
    char16_t left; // 0: none
};

constexpr std::array<VoicedForm, 40> kVoiced{{
    {u'か', u'が', 0},     {u'き', u'ぎ', 0},     {u'く', u'ぐ', 0},     {u'け', u'げ', 0},
    {u'こ', u'ご', 0},     {u'さ', u'ざ', 0},     {u'し', u'じ', 0},     {u'す', u'ず', 0},
    {u'せ', u'ぜ', 0},     {u'そ', u'ぞ', 0},     {u'た', u'だ', 0},     {u'ち', u'ぢ', 0},
    {u'つ', u'づ', u'っ'}, {u'て', u'で', 0},     {u'と', u'ど', 0},     {u'は', u'ば', u'ぱ'},
    {u'ひ', u'び', u'ぴ'}, {u'ふ', u'ぶ', u'ぷ'}, {u'へ', u'べ', u'ぺ'}, {u'ほ', u'ぼ', u'ぽ'},
    {u'カ', u'ガ', 0},     {u'キ', u'ギ', 0},     {u'ク', u'グ', 0},     {u'ケ', u'ゲ', 0},
    {u'コ', u'ゴ', 0},     {u'サ', u'ザ', 0},     {u'シ', u'ジ', 0},     {u'ス', u'ズ', 0},
    {u'セ', u'ゼ', 0},     {u'ソ', u'ゾ', 0},     {u'タ', u'ダ', 0},     {u'チ', u'ヂ', 0},
    {u'ツ', u'ヅ', u'ッ'}, {u'テ', u'デ', 0},     {u'ト', u'ド', 0},     {u'ハ', u'バ', u'パ'},
    {u'ヒ', u'ビ', u'ピ'}, {u'フ', u'ブ', u'プ'}, {u'ヘ', u'ベ', u'ペ'}, {u'ホ', u'ボ', u'ポ'},
}};

} // namespace

CharForms charForms(const QString &text)
{
    CharForms forms;
    // Every key is one code unit; longer texts (face marks, surrogate pairs) have no forms.
    if (text.size() != 1)
        return forms;
    const char16_t c = text.at(0).unicode();
    if (c >= u'A' && c <= u'Z')
        forms.right = QChar(c - u'A' + u'a');
    const auto small =
        std::find_if(kSmall.begin(), kSmall.end(), [c](const SmallForm &f) { return f.key == c; });
    if (small != kSmall.end())
        forms.right = QChar(small->form);
    const auto voiced = std::find_if(kVoiced.begin(), kVoiced.end(),
                                     [c](const VoicedForm &f) { return f.key == c; });
    if (voiced != kVoiced.end()) {
        if (voiced->left != 0)
            forms.left = QChar(voiced->left);
        forms.right = QChar(voiced->right);
    }
    return forms;
}

void ConvertChar(FlexGrid &grdBoard2, const QString &text, int row)
{
    const CharForms forms = charForms(text);
    if (!forms.left.isEmpty())
        grdBoard2.setTextMatrix(row, 0, forms.left);
    if (!forms.right.isEmpty())
        grdBoard2.setTextMatrix(row, 2, forms.right);
}
