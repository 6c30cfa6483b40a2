// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "engine_texts.h"

namespace texts {

const char kStartupErrorText[] = "このプログラムの起動方法に誤りがあります。";
const char kStartupErrorCaption[] = "Tavoraの起動エラー";
const char kForeignSender[] = "メインスレッド以外からメッセージを受けました。";
const char kErrorDialogCaption[] = "エラー";
const char kApplicationTitle[] = "grabcore";

const char kUnexpectedGraphBuilder[] = "クラス「dsMan」の「func_GraphBuilder()」で予期しないサブコマンドを受け取りました。";
const char kUnexpectedCaptureGraphBuilder[] =
    "クラス「dsMan」の「func_CaptureGraphBuilder()」で予期しないサブコマンドを受け取りました。";
const char kUnexpectedVCapSorce[] = "クラス「dsMan」の「func_VCapSorce()」で予期しないサブコマンドを受け取りました。";
const char kUnexpectedACapSorce[] = "クラス「dsMan」の「func_ACapSorce()」で予期しないサブコマンドを受け取りました。";
const char kUnexpectedTvTuner[] = "クラス「dsMan」の「func_TvTuner()」で予期しないサブコマンドを受け取りました。";
const char kUnexpectedCompress[] = "クラス「dsMan」の「func_Compress()」で予期しないサブコマンドを受け取りました。";
const char kUnexpectedMixer[] = "クラス「dsMan」の「func_Mixer()」で予期しないサブコマンドを受け取りました。";

const char* const kFindFilterErrors[7] = {
    "クラス「filterHandler」の「findFilter」で「SystemDeviceEnum」の「CoCreateInstance」に失敗しました。(ID=1)",
    "クラス「filterHandler」の「findFilter」で「CreateClassEnumerator」に失敗しました。(ID=2)",
    "クラス「filterHandler」の「findFilter」で「BindToStorage」に失敗しました。(ID=3)",
    "クラス「filterHandler」の「findFilter」で「Read」に失敗しました。(ID=4)",
    "クラス「filterHandler」の「findFilter」で「CLSIDFromString」に失敗しました。(ID=5)",
    "クラス「filterHandler」の「findFilter」で「Read」に失敗しました。(ID=6)",
    "クラス「filterHandler」の「findFilter」でフィルタの検索に失敗しました。(ID=7)",
};

const char kGraphCreateFailed[] =
    "クラス「TGraphBuilder」の「create()」でIGraphBuilderインターフェースの「CoCreateInstance」に失敗しました。";
const char kGraphAddFailed[] = "クラス「TGraphBuilder」の「add()」で「CoCreateInstance」に失敗しました。";
const char kGraphStartViewFailed[] = "クラス「TGraphBuilder」の「startView()」で「CoCreateInstance」に失敗しました。";
const char kGraphRunFailed[] = "クラス「TGraphBuilder」の「startView()」で「Run」に失敗しました。";

}  // namespace texts
