// Compiled with the Shift-JIS execution charset; includes no standard header.
#include "dialog_texts.h"

namespace texts {

const char kFrameRateCaption[] = "フレームレートの設定";
const char kFrameRateUnit[] = "フレーム／秒";
const char kFrameRateOk[] = "OK";
const char kFrameRateCancel[] = "キャンセル";
const char kFrameRateInvalid[] = "正しくない数値を入力しました。";

const char kStopTimeCaption[] = "録画終了時間の変更";
const char kStopTimeLabel[] = "終了時間";
const char kStopTimeLeft[] = "終了まであと";
const char kStopTimeMinutes[] = "分";
const char kStopTimePowerOff[] = "終了後、電源を切る";
const char kStopTimeDrop[] = "終了時間を無効にする";
const char kStopTimeChange[] = "変更する";
const char kStopTimeKeep[] = "変更しない";

}  // namespace texts
