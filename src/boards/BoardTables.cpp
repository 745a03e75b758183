#include "boards/BoardTables.h"

namespace BoardTables {

const std::array<std::array<const char16_t *, 5>, 15> kHiragana = {{
    {u"あ", u"い", u"う", u"え", u"お"},
    {u"か", u"き", u"く", u"け", u"こ"},
    {u"さ", u"し", u"す", u"せ", u"そ"},
    {u"た", u"ち", u"つ", u"て", u"と"},
    {u"な", u"に", u"ぬ", u"ね", u"の"},
    {u"は", u"ひ", u"ふ", u"へ", u"ほ"},
    {u"ま", u"み", u"む", u"め", u"も"},
    {u"や", u"ゆ", u"よ", u"ー", u"？"},
    {u"ら", u"り", u"る", u"れ", u"ろ"},
    {u"わ", u"を", u"ん", u"。", u"、"},
    {u"が", u"ぎ", u"ぐ", u"げ", u"ご"},
    {u"ざ", u"じ", u"ず", u"ぜ", u"ぞ"},
    {u"だ", u"ぢ", u"づ", u"で", u"ど"},
    {u"ば", u"び", u"ぶ", u"べ", u"ぼ"},
    {u"ぱ", u"ぴ", u"ぷ", u"ぺ", u"ぽ"},
}};

const std::array<std::array<const char16_t *, 5>, 15> kKatakana = {{
    {u"ア", u"イ", u"ウ", u"エ", u"オ"},
    {u"カ", u"キ", u"ク", u"ケ", u"コ"},
    {u"サ", u"シ", u"ス", u"セ", u"ソ"},
    {u"タ", u"チ", u"ツ", u"テ", u"ト"},
    {u"ナ", u"ニ", u"ヌ", u"ネ", u"ノ"},
    {u"ハ", u"ヒ", u"フ", u"ヘ", u"ホ"},
    {u"マ", u"ミ", u"ム", u"メ", u"モ"},
    {u"ヤ", u"ユ", u"ヨ", u"ー", u"？"},
    {u"ラ", u"リ", u"ル", u"レ", u"ロ"},
    {u"ワ", u"ヲ", u"ン", u"。", u"、"},
    {u"ガ", u"ギ", u"グ", u"ゲ", u"ゴ"},
    {u"ザ", u"ジ", u"ズ", u"ゼ", u"ゾ"},
    {u"ダ", u"ヂ", u"ヅ", u"デ", u"ド"},
    {u"バ", u"ビ", u"ブ", u"ベ", u"ボ"},
    {u"パ", u"ピ", u"プ", u"ペ", u"ポ"},
}};

const std::array<std::array<const char16_t *, 10>, 5> kAlphanumeric = {{
    {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"0"},
    {u"Q", u"W", u"E", u"R", u"T", u"Y", u"U", u"I", u"O", u"P"},
    {u"A", u"S", u"D", u"F", u"G", u"H", u"J", u"K", u"L", u";"},
    {u"/", u"Z", u"X", u"C", u"V", u"B", u"N", u"M", u",", u"."},
    {u":", u"%", u"+", u"-", u"?", u"@", u"。", u"!", u"(^_^)", u"(T_T)"},
}};

} // namespace BoardTables
