// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "compress_texts.h"

namespace texts {

const char kCompEnumCreateFailed[] = "クラス「TCompress」の「enumCompNames()」で「CoCreateInstance」に失敗しました。";
const char kCompEnumClassFailed[] = "クラス「TCompress」の「enumCompNames()」で「CreateClassEnumerator」に失敗しました。";
const char kCompEnumStorageFailed[] = "クラス「TCompress」の「enumCompNames()」で「BindToStorage」に失敗しました。";

const char kCompProfileUnreadable[] = "データファイル「*.vCompress」が存在するのに開けません。";
const char kCompCreateEnumFailed[] = "クラス「TCompress」の「create()」で「CoCreateInstance」に失敗しました。";
const char kCompCreateClassFailed[] = "クラス「TCompress」の「create()」で「CreateClassEnumerator」に失敗しました。";
const char kCompCreateStorageFailed[] = "クラス「TCompress」の「create()」で「BindToStorage」に失敗しました。";
const char kCompCreateBindFailed[] = "クラス「TCompress」の「create()」で「BindToObject」に失敗しました。";
const char kCompNotFound[] = "クラス「TCompress」の「create()」で指定したコンプレッサが見つかりませんでした。";
const char kCompWriteFailed[] = "TCompress::remove()で「*.vCompress」を生成できませんでした。";

const char kCompUnsupportedDialog[] = "「TCompress::showDialog()」でサポートしていないダイアログを表示しようとしました。";
const char kCompNoDialogs[] = "クラス「TCaptureGraphBuilder」の「showDialog()」で「FindInterface」に失敗しました。";
const char kCompGetStateSizeFailed[] = "クラス「TCaptureGraphBuilder」の「getCmpState()」で「GetState(1)」に失敗しました。";
const char kCompGetStateFailed[] = "クラス「TCaptureGraphBuilder」の「getCmpState()」で「GetState(2)」に失敗しました。";
const char kCompSetStateFailed[] = "クラス「TCaptureGraphBuilder」の「setCmpState()」で「SetState」に失敗しました。";

}  // namespace texts
