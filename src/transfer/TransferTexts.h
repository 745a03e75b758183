#pragma once

#include <QString>

// The texts of the export, the import and the daily copy: the options' buttons, the notices
// and the reasons a file is refused (also printed by `talk --export` and `talk --import`).
namespace TransferTexts {
inline constexpr char16_t kExportButton[] = u"データを書き出す…";
inline constexpr char16_t kImportButton[] = u"データを読み込む…";
inline constexpr char16_t kFileFilter[] = u"Talkのデータ (*.zip)";
inline constexpr char16_t kImportQuestion[] = u"今のデータを読み込むデータに置き換えます。\n今のデ"
                                              u"ータは控えのフォルダに残ります。よろしいですか";
inline constexpr char16_t kExported[] = u"データを書き出しました: ";
inline constexpr char16_t kImported[] = u"データを読み込みました。今までのデータの控え: ";
inline constexpr char16_t kNotExported[] = u"データを書き出せませんでした: ";
inline constexpr char16_t kNotImported[] = u"データを読み込めませんでした。何も変えていません: ";
inline constexpr char16_t kRolledBack[] = u"データを読み込めませんでした。元のデータに戻しました: ";
inline constexpr char16_t kRunning[] = u"Talkが動いています。終了してから読み込んでください";
inline constexpr char16_t kRecovered[] = u"途中で止まった読み込みを元に戻しました: ";
inline constexpr char16_t kDailyCopyFailed[] =
    u"毎日の控えを作れませんでした。\nデータは今まで通り保存されます: ";

// Reasons.
inline constexpr char16_t kCannotRead[] = u"ファイルを読めません ";
inline constexpr char16_t kCannotWrite[] = u"書き込めません ";
inline constexpr char16_t kNotAnArchive[] = u"Talkの書き出しファイルではありません ";
inline constexpr char16_t kDamaged[] = u"ファイルが壊れています ";
inline constexpr char16_t kNotAFile[] = u"ファイルでないものが入っています ";
inline constexpr char16_t kTooLarge[] = u"大きすぎるものが入っています ";
inline constexpr char16_t kNoManifest[] =
    u"Talkの書き出しファイルではありません（目録がありません）";
inline constexpr char16_t kUnknownVersion[] = u"読めない形式です（新しいTalkで書き出されました）";
inline constexpr char16_t kForeignName[] = u"データのフォルダの外を指す名前があります ";
inline constexpr char16_t kChecksum[] = u"ファイルが壊れています（中身が目録と違います） ";
inline constexpr char16_t kUnlisted[] = u"目録にないものが入っています ";
inline constexpr char16_t kMissing[] = u"目録にあるものが入っていません ";
inline constexpr char16_t kSettings[] = u"設定を読めません";

inline QString text(const char16_t *t)
{
    return QString::fromUtf16(t);
}
} // namespace TransferTexts
