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

}  // namespace texts
