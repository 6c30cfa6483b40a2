// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "options_pages_texts.h"

namespace texts {

const char kNoticeGroup[] = "録画予告";
const char kNoticeOn[] = "録画予告する";
const char kNoticeSecondsTail[] = "秒 前に予告する";
const char kNoticeBeep[] = "表示時に警告音を出す";
const char kFolderGroup[] = "録画したファイルの保存先";
const char kBrowse[] = "…";
const char kStartEndGroup[] = "起動／終了";
const char kCloseViewAfter[] = "予約録画終了後テレビ画面を閉じる";
const char kWakeUpSwitch[] = "「wakecall」で電源制御する";
const char kWakeUpPlace[] = "「wakecall.EXE」の場所：";
const char kWakeUpPrompt[] = "右のボタンを押して、場所を指定してください";
const char kWakeUpTitle[] = "「wakecall.EXE」の場所";
const char kExeFilter[] = "EXEファイル|*.EXE";
const char kEarlyStartHead[] = "予約した録画開始時間より";
const char kEarlyStartTail[] = "秒 早く録画開始する";
const char kWakeLeadHead[] = "ＰＣ起動から録画開始までの時間";
const char kPowerOffDelayHead[] = "Windowsの終了からＰＣの電源が切れるまでの時間";
const char kWithinSeconds[] = "秒 以内";
const char kCountdownHead[] = "Windows終了の予告表示時間";
const char kCountdownTail[] = "秒間";
const char kMyComputer[] = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

const char kQualityLabel[] = "記録品質";
const char kFileLabel[] = "保存ファイル名";
const char kAviFilter[] = "AVIファイル|*.AVI";
const char kRecordButtonGroup[] = "録画ボタンを押したとき";
const char kWaitAndAsk[] = "録画準備後、ポーズ状態で待機する";
const char kStartAtOnce[] = "ここで設定した録画品質と保存ファイル名ですぐに録画を開始する";
const char kStopManual[] = "手動録画中に予約録画の時間になったら、手動録画を中止する";
const char kFolderNotShiftJis[] = "選んだフォルダの場所には、使えない文字が含まれています。";
const char kFolderNotFileSystem[] = "選んだ場所はファイルを保存できるフォルダではありません。";
const char kPathNotShiftJis[] = "選んだファイルの場所には、使えない文字が含まれています。";

const char kChannelList[] = "チャンネルリスト";
const char kColumnName[] = "チャンネル名";
const char kColumnKey[] = "ﾁｬﾝﾈﾙ";
const char kColumnTuning[] = "ﾁｭｰﾆﾝｸﾞ";
const char kColumnInput[] = "ﾁｭｰﾅｰ入力";
const char kNameLabel[] = "チャンネル名";
const char kKeyLabel[] = "チャンネル";
const char kTuningLabel[] = "チューニング";
const char kInputGroup[] = "チューナー入力";
const char kInputAntenna[] = "アンテナ";
const char kInputCable[] = "ケーブル";
const char kUp[] = "上へ";
const char kDown[] = "下へ";
const char kNew[] = "新規";
const char kDelete[] = "削除";
const char kScan[] = "自動スキャン";
const char kNewChannelName[] = "新規チャンネル";
const char kCannotDeleteAll[] = "全てのチャンネルを削除することはできません。";
const char kKeyComposite[] = "C";
const char kKeySVideo[] = "S";
const char kTuningComposite[] = "Composit";
const char kTuningSVideo[] = "S-Video";

}  // namespace texts
