// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "capture_texts.h"

namespace texts {

const char kCapMakeFailed[] = "クラス「TCaptureGraphBuilder」の「make()」で「CoCreateInstance」に失敗しました。";
const char kCapSetFgFailed[] = "クラス「TCaptureGraphBuilder」の「setFg()」で「SetFiltergraph」に失敗しました。";
const char kCapRenderPreviewFailed[] =
    "クラス「TCaptureGraphBuilder」の「renderPreview()」で「RenderStream」に失敗しました。";
const char kCapFindInterfaceFailed[] = "クラス「TCaptureGraphBuilder」の「render()」で「FindInterface」に失敗しました。";
const char kCapSetOutputFileFailed[] =
    "クラス「TCaptureGraphBuilder」の「setOutputFile()」で「SetOutputFileName」に失敗しました。";
const char kCapRenderACaptureFailed[] =
    "クラス「TCaptureGraphBuilder」の「renderACapture()」で「RenderStream」に失敗しました。";
const char kCapPreViewStreamFailed[] =
    "クラス「TCaptureGraphBuilder」の「preViewStream()」で「ControlStream」に失敗しました。";
const char kCapCaptureStreamFailed[] =
    "クラス「TCaptureGraphBuilder」の「captureStream()」で「ControlStream」に失敗しました。";
const char kCapCapStartDelayFailed[] =
    "クラス「TCaptureGraphBuilder」の「capStartDelay()」で「ControlStream」に失敗しました。";
const char kCapVideoStartDelayFailed[] =
    "クラス「TCaptureGraphBuilder」の「videoStartDelay()」で「ControlStream」に失敗しました。";
const char kCapAudioStartDelayFailed[] =
    "クラス「TCaptureGraphBuilder」の「audioStartDelay()」で「ControlStream」に失敗しました。";
const char kCapMasterStreamFailed[] =
    "クラス「TCaptureGraphBuilder」の「masterStream()」で「QueryInterface」に失敗しました。";
const char kCapInterleavingMissing[] = "テスト用に検索したインターフェースIConfigInterleavingが見つからない";

const char kCapRenderVCaptureHead[] =
    "TCaptureGraphBuilder::renderVCapture()のRenderStream()で次のエラーが発生しました。\n\n";
const char kCapCodeNullPointer[] = "「NULL ポインタ引数」";
const char kCapCodeFail[] = "「失敗」";
const char kCapCodeInvalidArg[] = "「無効な引数」";
const char kCapCodeUndefined[] = "「未定義」";

}  // namespace texts
