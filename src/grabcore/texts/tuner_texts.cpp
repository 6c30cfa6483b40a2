// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "tuner_texts.h"

namespace texts {

const char kTunerComposite[] = "Composit";
const char kTunerSVideo[] = "S-Video";
const char kTunerAntenna[] = "アンテナ";
const char kTunerCable[] = "ケーブル";
const char kTunerChannelSuffix[] = "CH";
const char kTunerDatUnopenable[] = "データファイル「TvTuner.dat」が存在するのに開けません。";
const char kTunerDatSaveFailed[] = "「TTvTuner::remove()」でファイル「TvTuner.dat」を生成できませんでした。";
const char kTunerDat2SaveFailed[] = "「TTvTuner::remove()」でファイル「TvTuner.dat2」を生成できませんでした。";

const char kTunerRouteFailed[] = "クラス「TTvTuner」で「Route」に失敗しました。";
const char kTunerPutModeFailed[] = "クラス「TTvTuner」で「put_Mode」に失敗しました。";
const char kTunerPutInputTypeFailed[] = "クラス「TTvTuner」で「put_InputType」に失敗しました。";
const char kTunerPutChannelFailed[] = "クラス「TTvTuner」で「put_Channel」に失敗しました。";
const char kTunerNukeNoDevices[] = "クラス「TTvTuner」で「nukeWithoutNeeds」に失敗しました。";

const char kTunerRangePutModeFailed[] = "TTvTuner::getChRange() で IAMTVTuner::put_Mode() に失敗しました。";
const char kTunerRangePutInputTypeFailed[] = "TTvTuner::getChRange() で IAMTVTuner::put_InputType() に失敗しました。";
const char kTunerRangePutChannelFailed[] = "TTvTuner::getChRange() で IAMTVTuner::put_Channel() に失敗しました。";
const char kTunerRangeMinMaxFailed[] = "TTvTuner::getChRange() で IAMTVTuner::ChannelMinMax() に失敗しました。";

const char kTunerScanPutModeFailed[] = "TTvTuner::searchChannel() で IAMTVTuner::put_Mode() に失敗しました。";
const char kTunerScanCaption[] = "チャンネルの自動スキャン中";
const char kTunerScanFound[] = "CH:○";
const char kTunerScanNone[] = "CH:×";

const char kAutoTuneCaption[] = "Tavora";
const char kAutoTuneQuestion[] = "チャンネルの設定がされていませんが、\r\n自動スキャンを行いますか";
const char kAutoTuneGroup[] = "スキャンする入力";
const char kAutoTuneAntenna[] = "アンテナ";
const char kAutoTuneCable[] = "ケーブル";
const char kAutoTuneYes[] = "はい　(&Y)";
const char kAutoTuneNo[] = "いいえ (&N)";

}  // namespace texts
