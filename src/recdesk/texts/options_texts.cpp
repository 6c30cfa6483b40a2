// Text table: compiled with the Shift-JIS execution character set; includes no standard header.
#include "options_texts.h"

namespace texts {

const char kOptionsCaption[] = "設定";
const char kOptionsPageVideo[] = "ビデオ／サウンド";
const char kOptionsPageQuality[] = "記録品質";
const char kOptionsPageReservation[] = "予約設定";
const char kOptionsPageManual[] = "手動録画";
const char kOptionsPageTuner[] = "チューナー";
const char kOptionsClose[] = "閉じる";
const char kOptionsRefused[] = "録画中と予約録画の準備中は、設定を開けません。";

const char kVideoSaturation[] = "色(&L):";
const char kVideoBrightness[] = "輝度(&G)";
const char kVideoContrast[] = "コントラスト(&N)";
const char kVideoHue[] = "色合い(&T)";
const char kVideoReset[] = "リセット(&R)";
const char kVideoMixerLine[] = "制御するボリュームのデバイス";
const char kVideoDriverGroup[] = "キャプチャドライバ";
const char kVideoDriverVfw[] = "VfWドライバ";
const char kVideoDriverWdm[] = "WDMドライバ";
const char kVideoFileGroup[] = "キャプチャファイル";
const char kVideoPreallocate[] = "録画前に割当てる";
const char kVideoMegaBytes[] = "M Byte";
const char kVideoNoPreview[] = "録画時プレビューしない";

const char kBuiltInProfile[] = "ＴＶ";
const char kNewProfile[] = "新規の設定";
const char kQualityList[] = "設定のリスト";
const char kQualityAdd[] = "追加";
const char kQualityDelete[] = "削除";
const char kQualityFormatGroup[] = "ビデオフォーマット";
const char kQualityWidth[] = "幅";
const char kQualityHeight[] = "高さ";
const char kQualityPixels[] = "ピクセル";
const char kQualityFrameRate[] = "フレームレート";
const char kQualityFramesPerSecond[] = "フレーム／秒";
const char kQualityFormatChange[] = "フォーマットの変更";
const char kQualityCompressGroup[] = "圧縮方法";
const char kQualityCompressSettings[] = "圧縮の設定";
const char kQualityAudioGroup[] = "録音品質";
const char kQualityAudioChoose[] = "録音品質の選択";
const char kQualityCannotDeleteTv[] = "「ＴＶ」は削除できません。";
const char kQualityRenameBuiltIn[] = "「ＴＶ」の名前は変えられず、ほかの設定を「ＴＶ」にすることもできません。";
const char kQualityRenameTaken[] = "同じ名前の設定がすでにあります。";
const char kQualityRenameBadCharacter[] = "設定の名前に次の文字は使えません。\n\\ / : * ? \" < > |";
const char kQualityRenameBadName[] = "装置の名前（NUL、CON、COM1など）や、ファイルの場所が長くなりすぎる名前は、設定の名前に使えません。";

}  // namespace texts
