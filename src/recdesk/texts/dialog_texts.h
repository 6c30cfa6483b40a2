// The texts of the frame-rate and stop-time dialogs (Shift-JIS bytes; defined in dialog_texts.cpp).
#pragma once

namespace texts {

// The frame-rate dialog.
extern const char kFrameRateCaption[];
extern const char kFrameRateUnit[];
extern const char kFrameRateOk[];
extern const char kFrameRateCancel[];
extern const char kFrameRateInvalid[];

// The stop-time dialog.
extern const char kStopTimeCaption[];
extern const char kStopTimeLabel[];
extern const char kStopTimeLeft[];
extern const char kStopTimeMinutes[];
extern const char kStopTimePowerOff[];
extern const char kStopTimeDrop[];
extern const char kStopTimeChange[];
extern const char kStopTimeKeep[];

}  // namespace texts
