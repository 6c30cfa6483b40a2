// The TV tuner's own texts (Shift-JIS bytes; defined in tuner_texts.cpp).
#pragma once

namespace texts {

// Channel table.
extern const char kTunerComposite[];
extern const char kTunerSVideo[];
extern const char kTunerAntenna[];
extern const char kTunerCable[];
extern const char kTunerChannelSuffix[];
extern const char kTunerDatUnopenable[];
extern const char kTunerDatSaveFailed[];
extern const char kTunerDat2SaveFailed[];

// Tuning.
extern const char kTunerRouteFailed[];
extern const char kTunerPutModeFailed[];
extern const char kTunerPutInputTypeFailed[];
extern const char kTunerPutChannelFailed[];
extern const char kTunerNukeNoDevices[];

// Range query.
extern const char kTunerRangePutModeFailed[];
extern const char kTunerRangePutInputTypeFailed[];
extern const char kTunerRangePutChannelFailed[];
extern const char kTunerRangeMinMaxFailed[];

// Scan.
extern const char kTunerScanPutModeFailed[];
extern const char kTunerScanCaption[];
extern const char kTunerScanFound[];
extern const char kTunerScanNone[];

// The scan question.
extern const char kAutoTuneCaption[];
extern const char kAutoTuneQuestion[];
extern const char kAutoTuneGroup[];
extern const char kAutoTuneAntenna[];
extern const char kAutoTuneCable[];
extern const char kAutoTuneYes[];
extern const char kAutoTuneNo[];

}  // namespace texts
