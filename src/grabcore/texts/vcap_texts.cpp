// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "vcap_texts.h"

namespace texts {

const char kVCapEnumCreateFailed[] =
    "「TVCapSorce::findVCapFilter()」で「SystemDeviceEnum」の「CoCreateInstance」に失敗しました。(ID=1)";
const char kVCapClassEnumFailed[] = "「TVCapSorce::findVCapFilter()」で「CreateClassEnumerator」に失敗しました。(ID=2)";
const char kVCapNoDeviceFound[] = "「TVCapSorce::findVCapFilter()」でキャプチャフィルタの検索に失敗しました。(ID=3)";

const char kVCapGetQualityFailed[] = "ビデオ信号品質の取得に失敗しました。";
const char kVCapSetQualityFailed[] = "ビデオ信号品質の設定に失敗しました。";

const char kVCapEnumPinsFailed[] = "クラス「TVCapSorce」の「strmCnfPtr()」で「EnumPins」に失敗しました。";
const char kVCapCapturePinNotFound[] = "クラス「TVCapSorce」の「strmCnfPtr()」でキャプチャピンの検索に失敗しました。";
const char kVCapNoBufferNegotiation[] = "IAMBufferNegotiation not found";

const char kVCapUnsupportedDialog[] = "「TVCapSorce::showDialog()」でサポートしていないダイアログを表示しようとしました。";
const char kVCapVideoSizeFailed[] = "クラス「TVCapSorce」の「getVideoSize()」で「GetFormat」に失敗しました。";
const char kVCapProfileUnreadable[] = "ファイル「*.video」または「*.video2」が存在するのに開けません。";
const char kVCapLoadFormatSetFailed[] = "TVCapSorce::loadFormat()でIAMStreamConfig::SetFormat()に失敗しました。";
const char kVCapSaveFormatGetFailed[] = "「TVCapSorce::~TVCapSorce()」で「GetFormat」に失敗しました。";
const char kVCapSaveFormatOpenFailed[] =
    "「TVCapSorce::~TVCapSorce()」でファイル「*.video」または「*.video2」のオープンに失敗しました。";
const char kVCapGetFrameRateFailed[] = "「TVCapSorce::getFrameRate()」で「GetFormat」に失敗しました。";
const char kVCapSetFrameRateGetFailed[] = "「TVCapSorce::setFrameRate()」で「GetFormat」に失敗しました。";
const char kVCapSetFrameRateSetFailed[] = "「TVCapSorce::setFrameRate()」で「SetFormat」に失敗しました。";

const char kVCapSettingsWriteFailed[] = "TVCapSorce::~TVCapSorce()でファイルVCapSorce.datを生成できません。";

const char kSelVCapCaption[] = "キャプチャドライバの選択";
const char kSelVCapFound[] = "2つのキャプチャドライバが検出されました。";
const char kSelVCapChoose[] = "プレビューやキャプチャで使用するドライバを選択してください。";
const char kSelVCapWdm[] = "WDMキャプチャドライバ";
const char kSelVCapVfw[] = "VfWキャプチャドライバ（推奨）";
const char kSelVCapClose[] = "閉じる";

}  // namespace texts
