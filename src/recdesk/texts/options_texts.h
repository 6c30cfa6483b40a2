// The options dialog's texts (Shift-JIS bytes; defined in options_texts.cpp).
#pragma once

namespace texts {

// The frame.
extern const char kOptionsCaption[];
extern const char kOptionsPageVideo[];
extern const char kOptionsPageQuality[];
extern const char kOptionsPageReservation[];
extern const char kOptionsPageManual[];
extern const char kOptionsPageTuner[];
extern const char kOptionsClose[];
extern const char kOptionsRefused[];

// Page 0.
extern const char kVideoSaturation[];
extern const char kVideoBrightness[];
extern const char kVideoContrast[];
extern const char kVideoHue[];
extern const char kVideoReset[];
extern const char kVideoMixerLine[];
extern const char kVideoDriverGroup[];
extern const char kVideoDriverVfw[];
extern const char kVideoDriverWdm[];
extern const char kVideoFileGroup[];
extern const char kVideoPreallocate[];
extern const char kVideoMegaBytes[];
extern const char kVideoNoPreview[];

// Page 1.
extern const char kBuiltInProfile[];
extern const char kNewProfile[];
extern const char kQualityList[];
extern const char kQualityAdd[];
extern const char kQualityDelete[];
extern const char kQualityFormatGroup[];
extern const char kQualityWidth[];
extern const char kQualityHeight[];
extern const char kQualityPixels[];
extern const char kQualityFrameRate[];
extern const char kQualityFramesPerSecond[];
extern const char kQualityFormatChange[];
extern const char kQualityCompressGroup[];
extern const char kQualityCompressSettings[];
extern const char kQualityAudioGroup[];
extern const char kQualityAudioChoose[];
extern const char kQualityCannotDeleteTv[];
extern const char kQualityRenameBuiltIn[];
extern const char kQualityRenameTaken[];
extern const char kQualityRenameBadCharacter[];
extern const char kQualityRenameBadName[];

}  // namespace texts
