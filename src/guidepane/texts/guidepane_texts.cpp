// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "guidepane_texts.h"

namespace texts {

const char* const kSlotHints[9] = {"1:00～4:00",   "4:00～7:00",   "7:00～10:00",
                                   "10:00～13:00", "13:00～16:00", "16:00～19:00",
                                   "19:00～21:00", "21:00～23:00", "23:00～1:00"};
const char* const kWeekdayShort[7] = {"日", "月", "火", "水", "木", "金", "土"};
const char kMonthSuffix[] = "月";
const char kDaySuffix[] = "日";

const char kPastTable[] = "過去の番組表から予約しようとしました。";
const char kUnexpectedTableName[] = "番組表のファイル名が予想と異なります。";
const char kNoTimeInUrl[] = "渡されたurlに時間情報がありませんでした。";
const char kProgramNotInTable[] = "番組表からこの番組の情報を読み取れませんでした。";

const char kFirstStation[] =
    "初めて予約するチャンネルです。\nチャンネル欄からチャンネルを選んでください。\n次回からは自動的にチャンネルが選択されます。";
const char kChooseStationHead[] = "[";
const char kChooseStationTail[] = "]を選択してください";
const char kReservationErrorCaption[] = "予約内容エラー";
const char kEndBeforeStart[] = "終了時間が開始時間より前です。\n設定をやり直してください。";
const char kNoChannelChosen[] = "チャンネルを選択しなければ予約登録できません。";
const char kNoTitle[] = "番組名を入力しなければ予約登録できません。\n番組名が録画ファイル名として使用されます。";
const char kReservationQuestionCaption[] = "予約内容確認";
const char kChannelMismatch[] =
    "クリックされたチャンネルと、以前に登録されたチャンネルが一致しません。\n次回から現在のチャンネル設定を選択するようにしますか。";

}  // namespace texts
