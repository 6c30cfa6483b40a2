// The texts of the options pages for reservations, manual recording and channels (Shift-JIS
// bytes; defined in options_pages_texts.cpp).
#pragma once

namespace texts {

// Page 2, reservation settings.
extern const char kNoticeGroup[];
extern const char kNoticeOn[];
extern const char kNoticeSecondsTail[];
extern const char kNoticeBeep[];
extern const char kFolderGroup[];
extern const char kBrowse[];
extern const char kStartEndGroup[];
extern const char kCloseViewAfter[];
extern const char kWakeUpSwitch[];
extern const char kWakeUpPlace[];
extern const char kWakeUpPrompt[];
extern const char kWakeUpTitle[];
extern const char kExeFilter[];
extern const char kEarlyStartHead[];
extern const char kEarlyStartTail[];
extern const char kWakeLeadHead[];
extern const char kPowerOffDelayHead[];
extern const char kWithinSeconds[];
extern const char kCountdownHead[];
extern const char kCountdownTail[];
extern const char kMyComputer[];

// Page 3, manual recording.
extern const char kQualityLabel[];
extern const char kFileLabel[];
extern const char kAviFilter[];
extern const char kRecordButtonGroup[];
extern const char kWaitAndAsk[];
extern const char kStartAtOnce[];
extern const char kStopManual[];
extern const char kPathNotShiftJis[];
extern const char kFolderNotShiftJis[];
extern const char kFolderNotFileSystem[];

// Page 4, channel editor.
extern const char kChannelList[];
extern const char kColumnName[];
extern const char kColumnKey[];
extern const char kColumnTuning[];
extern const char kColumnInput[];
extern const char kNameLabel[];
extern const char kKeyLabel[];
extern const char kTuningLabel[];
extern const char kInputGroup[];
extern const char kInputAntenna[];
extern const char kInputCable[];
extern const char kUp[];
extern const char kDown[];
extern const char kNew[];
extern const char kDelete[];
extern const char kScan[];
extern const char kNewChannelName[];
extern const char kCannotDeleteAll[];
extern const char kKeyComposite[];
extern const char kKeySVideo[];
extern const char kTuningComposite[];
extern const char kTuningSVideo[];

}  // namespace texts
