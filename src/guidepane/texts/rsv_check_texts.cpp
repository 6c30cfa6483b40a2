// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "rsv_check_texts.h"

namespace texts {

const char kRsvCheckCaption[] = "予約内容の確認";
const char kRegisterButton[] = "予約登録";
const char kCancelButton[] = "キャンセル";
const char kPlanbookClass[] = "TForm1";
const char kPlanbookCaption[] = "番組の予約";
const char kPlanbookFile[] = "planbook.exe";
const char kPlanbookNotStarted[] = "予約プログラム planbook.exe を起動できませんでした。\n予約はまだ登録されていません。";
const char kPlanbookNoWindow[] =
    "予約プログラム planbook の画面が現れませんでした。\n予約はまだ登録されていません。";
const char kPlanbookUnconfirmed[] =
    "planbook から応答がなく、予約が登録されたか確認できませんでした。\nplanbook の予約一覧を確かめてください。";
const char kPlanbookNotAnswering[] =
    "予約プログラム planbook が応答しません。\n予約はまだ登録されていません。しばらくしてからもう一度登録してください。";
const char kWeekdayHead[] = "(";
const char kWeekdayTail[] = ")";

}  // namespace texts
