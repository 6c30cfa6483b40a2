// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "download_texts.h"

namespace texts {

const char kDownloadCaption[] = "番組表のダウンロード";
const char kBaseAddressLabel[] = "ベースアドレス：";
const char kAreaLabel[] = "地域で選択する";
const char kStartDateLabel[] = "開始日";
const char kEndDateLabel[] = "終了日";
const char kStartDownload[] = "ダウンロード開始";
const char kStopDownload[] = "ダウンロード中止";
const char kBaseFromShownPage[] = "現在表示しているページをベースアドレスに設定する";
const char kCloseDownload[] = "閉じる";
const char kDownloadRecords[] = "予約情報ファイルもダウンロードする";
const char kProgressGroup[] = "進行状況";
const char kFileBeingFetched[] = "ダウンロード中のファイル";
const char kHtmlFiles[] = "HTMLファイル";
const char kImageFiles[] = "イメージファイル";

const char kEndBeforeStartDate[] = "終了日は開始日より後でなければなりません。\nダウンロードを中断します。";
const char kNoPageName[] = "ダウンロードファイル名を取得できませんでした。";
const char kPageCreateFailed[] = "保存先にファイルを生成できませんでした。\n中断します。";
const char kPageWriteFailed[] = "ファイルの保存に失敗しました。\n中断します。";
const char kFolderCreateFailed[] = "保存先のディレクトリが作成できませんでした。";
const char kDownloadAborted[] = "ダウンロードを中断しました。";
const char kDownloadFinished[] = "ダウンロードを終了しました。";
const char kPagesNotSaved[] = "\n番組表でなかったため保存しなかったページ：";
const char kFilesDropped[] = "\n取得できなかったイメージファイル：";

const char kThreadCreated[] = "スレッド生成－今のスレッド数：";
const char kThreadDestroyed[] = "スレッド破棄－今のスレッド数：";
const char kFileCreateFailed[] = "保存先にファイルを生成できませんでした。\n中断します。";
const char kWorkerInternetOpenFailed[] = "InternetOpen()に失敗しました。\n中断します。";
const char kOpenUrlFailed[] = "InternetOpenUrl()に失敗しました。\n中断します。";
const char kStatusFailed[] = "指定されたファイルは読み込みに失敗しました。\n中断します。\n　STATUS CODE = ";
const char kFileWriteFailed[] = "ファイルの保存に失敗しました。\n中断します。";
const char kWorkerReadFailed[] = "データの読み込みに失敗しました。\n中断します。";
const char kBodyCutShort[] = "データが途中で切れました。\n中断します。";
const char kJobDropped[] = "3回失敗したため取得をやめました：";

}  // namespace texts
