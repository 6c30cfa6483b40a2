// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "recdesk_texts.h"

namespace texts {

const char kCommandBufferMismatch[] = "コマンドバッファの情報に矛盾があります。";
const char kEngineNotAnswering[] =
    "grabcore.exe が 60 秒以上応答しません。\n送信を待っているコマンドを取り消しますか。";

const char kNextReservationHead[] = "次の予約は「";
const char kNextReservationMiddle[] = "」 ";
const char kNextReservationTail[] = "～ です";
const char kTimeRangeSeparator[] = "～";
const char kWakecallFailed[] = "wakecall.exeを起動できませんでした。";

const char kTimerFileMissing[] = "起動に必要なファイルが見つかりません。\n正常にインストールされていない可能性があります。";
const char kTimerFileCannotOpen[] = "ファイル timerSetup.dat を開けません。";

const char kDefaultQuality[] = "ＴＶ";
const char kCapFormOpenHead[] = "ファイル ";
const char kCapFormOpenTail[] = " が開けませんでした。";
const char kCapFormCreateFailed[] = "設定ファイルの生成に失敗しました。";
const char kCapFormWriteFailed[] = "設定ファイルの書きこみに失敗しました。";
const char kErrorClassName[] = "Exception";

const char kViewCaption[] = "TV";
const char kViewMenuOptions[] = "設定";
const char kViewMenuOnTop[] = "常に手前に表示";
const char kViewMenuVideoSize[] = "ビデオサイズ";
const char kViewMenuSize960[] = "960×720";
const char kViewMenuSize640[] = "640×480";
const char kViewMenuSize480[] = "480×360";
const char kViewMenuSize320[] = "320×240";
const char kViewMenuSize160[] = "160×120";
const char kViewMenuMove[] = "ウィンドウの移動";
const char kViewMenuTopLeft[] = "左上";
const char kViewMenuBottomLeft[] = "左下";
const char kViewMenuTopRight[] = "右上";
const char kViewMenuBottomRight[] = "右下";
const char kViewMenuPanel[] = "操作パネル";
const char kViewMenuPanelNone[] = "なし";
const char kViewMenuPanelTop[] = "上";
const char kViewMenuPanelBottom[] = "下";
const char kViewMenuPanelLeft[] = "左";
const char kViewMenuPanelRight[] = "右";
const char kViewMenuPanelFloating[] = "ポップアップ";
const char kViewMenuTray[] = "予約の制御";

const char kTrayTipWaiting[] = "予約録画待機中";
const char kTrayTipPreparing[] = "予約録画準備中";
const char kTrayTipRecording[] = "予約録画中";
const char kMenuTvView[] = "TV表示";
const char kMenuStopRecording[] = "録画停止";
const char kMenuStopTime[] = "終了時間再設定";
const char kMenuReservations[] = "番組の予約表";
const char kMenuGuide[] = "電子番組表";
const char kMenuVersion[] = "バージョン情報";
const char kMenuExit[] = "Tavora を終了";
const char kMainCaption[] = "Tavora";
const char kEngineCannotStart[] = "grabcore.exe を起動できない。";
const char kEngineEnded[] = "grabcore.exe が終了しました。\n送信を待っているコマンドを取り消しました。";
const char kEndSessionWarning[] =
    "いまWindowsを終了すると、次の予約の開始時間に録画が開始できない可能性があります。\nWindowsを終了してもよろしいですか。";
const char kVersionCaption[] = "Tavora バージョン情報";
const char kVersionUnknown[] = "不明";
const char kVersionTail[] = "\n\nこの中で、最も大きい番号が\nTavora のバージョンに\nなります。";


const char kNoticeCaption[] = "予約録画の予告";
const char kNoticeSecondsToStart[] = "秒後に録画開始します。";
const char kNoticeAdvice[] = "他のプログラムでビデオ機能を使用している場合は、終了してください。";
const char kNoticeRecord[] = "予約通り録画する";
const char kNoticeWatchTv[] = "録画を中止し、テレビを見る";
const char kNoticeNeither[] = "録画を中止し、テレビも見ない";
const char kNoticeManualSeconds[] = "秒後に予約しています。";
const char kNoticeManualHead[] = "ここで何も選択しなかった場合、\n";
const char kNoticeManualWord[] = "手動";
const char kNoticeReservedWord[] = "予約";
const char kNoticeManualTail[] = "録画を中止します。";
const char kNoticeStopManual[] = "手動録画を中止し、予約録画する";
const char kNoticeKeepManual[] = "手動録画を継続し、予約録画を中止する";
const char kPowerOffCaption[] = "電源ＯＦＦの予告";
const char kPowerOffQuestion[] = "電源を切って良いですか";
const char kPowerOffBefore[] = "電源切断まで、あと";
const char kPowerOffUnit[] = "秒";
const char kPowerOffYes[] = "はい";
const char kPowerOffNo[] = "いいえ";

}  // namespace texts
