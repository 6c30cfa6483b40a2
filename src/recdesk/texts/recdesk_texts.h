// The recorder's own texts (Shift-JIS bytes; defined in recdesk_texts.cpp).
#pragma once

namespace texts {

// Engine request queue.
extern const char kCommandBufferMismatch[];
extern const char kEngineNotAnswering[];

// Scheduler.
extern const char kNextReservationHead[];
extern const char kNextReservationMiddle[];
extern const char kNextReservationTail[];
extern const char kTimeRangeSeparator[];
extern const char kWakecallFailed[];

// timerSetup.dat.
extern const char kTimerFileMissing[];
extern const char kTimerFileCannotOpen[];

// capForm.dat.
extern const char kDefaultQuality[];
extern const char kCapFormOpenHead[];
extern const char kCapFormOpenTail[];
extern const char kCapFormCreateFailed[];
extern const char kCapFormWriteFailed[];
extern const char kErrorClassName[];

// The TV view and its menu.
extern const char kViewCaption[];
extern const char kViewMenuOptions[];
extern const char kViewMenuOnTop[];
extern const char kViewMenuVideoSize[];
extern const char kViewMenuSize960[];
extern const char kViewMenuSize640[];
extern const char kViewMenuSize480[];
extern const char kViewMenuSize320[];
extern const char kViewMenuSize160[];
extern const char kViewMenuMove[];
extern const char kViewMenuTopLeft[];
extern const char kViewMenuBottomLeft[];
extern const char kViewMenuTopRight[];
extern const char kViewMenuBottomRight[];
extern const char kViewMenuPanel[];
extern const char kViewMenuPanelNone[];
extern const char kViewMenuPanelTop[];
extern const char kViewMenuPanelBottom[];
extern const char kViewMenuPanelLeft[];
extern const char kViewMenuPanelRight[];
extern const char kViewMenuPanelFloating[];
extern const char kViewMenuTray[];

// The tray window.
extern const char kTrayTipWaiting[];
extern const char kTrayTipPreparing[];
extern const char kTrayTipRecording[];
extern const char kMenuTvView[];
extern const char kMenuStopRecording[];
extern const char kMenuStopTime[];
extern const char kMenuReservations[];
extern const char kMenuGuide[];
extern const char kMenuVersion[];
extern const char kMenuExit[];
extern const char kMainCaption[];
extern const char kEngineCannotStart[];
extern const char kEngineEnded[];
extern const char kEndSessionWarning[];
extern const char kVersionCaption[];
extern const char kVersionUnknown[];
extern const char kVersionTail[];

// The notice and power-off countdowns.
extern const char kNoticeCaption[];
extern const char kNoticeSecondsToStart[];
extern const char kNoticeAdvice[];
extern const char kNoticeRecord[];
extern const char kNoticeWatchTv[];
extern const char kNoticeNeither[];
extern const char kNoticeManualSeconds[];
extern const char kNoticeManualHead[];
extern const char kNoticeManualWord[];
extern const char kNoticeReservedWord[];
extern const char kNoticeManualTail[];
extern const char kNoticeStopManual[];
extern const char kNoticeKeepManual[];
extern const char kPowerOffCaption[];
extern const char kPowerOffQuestion[];
extern const char kPowerOffBefore[];
extern const char kPowerOffUnit[];
extern const char kPowerOffYes[];
extern const char kPowerOffNo[];

}  // namespace texts
