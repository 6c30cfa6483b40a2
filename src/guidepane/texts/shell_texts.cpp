// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "shell_texts.h"

namespace texts {

const char kGuideTitle[] = "電子番組表";
const char kCaptionSeparator[] = " - ";

const char kHintOnline[] = "オンラインモード";
const char kHintOffline[] = "オフラインモード";
const char kHintDownload[] = "番組表のダウンロード";
const char kHintBack[] = "戻る";
const char kHintForward[] = "進む";
const char kHintRefresh[] = "更新";
const char kHintStop[] = "中止";
const char kHintTextSize[] = "文字のサイズ";
const char* const kTextSizeItems[5] = {"最大", "大", "中", "小", "最小"};
const char kAddressLabel[] = "アドレス";
const char kGoButton[] = "移動";
const char kFavouritesLabel[] = "お気に入り";
const char kHintFavouritesList[] = "お気に入りリスト";
const char kHintFavouritesDialog[] = "お気に入りの操作";

const char kPreviousWeek[] = "前\n週";
const char kNextWeek[] = "次\n週";
const char kHintPreviousTable[] = "前の番組表へ";
const char kHintNowTable[] = "今の時間の番組表へ";
const char kHintNextTable[] = "次の番組表へ";
const char kHintPickerDate[] = "表示する番組表の日付";

const char kDownloadRunning[] =
    "番組表のダウンロード中です。\nプログラムを終了するには、ダウンロードを中止する必要があります。";
const char kCloseErrorCaption[] = "電子番組表の終了エラー";
const char kNoChannelTable[] = "チャンネル情報の設定が見つかりません。\n予約に失敗しました。";
const char kNoChannelTableCaption[] = "guidepane予約エラー";
const char kInternetOpenFailed[] = "インターネットの接続に失敗しました。";
const char kAddressOpenFailed[] = "指定したアドレスから情報の取得に失敗しました。";
const char kReadFailed[] = "ファイルの取り込みに失敗しました。";

}  // namespace texts

namespace texts {
const char kPreviousGlyph[] = "←";
const char kNowGlyph[] = "今";
const char kNextGlyph[] = "→";
}  // namespace texts
