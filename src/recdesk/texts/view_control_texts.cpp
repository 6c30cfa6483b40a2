// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "view_control_texts.h"

namespace texts {

const char kConfirmStartHead[] = "この設定で録画を開始しますか\n　記録品質 : ";
const char kConfirmStartFile[] = "\n　保存ファイル名 : ";
const char kConfirmStartCaption[] = "録画の待機中";
const char kRecordRefusedWhilePreparing[] =
    "予約録画の準備中です。\n予約の録画が始まるまで、録画の開始と停止はできません。";

}  // namespace texts
