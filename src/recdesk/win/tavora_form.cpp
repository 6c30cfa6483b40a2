#include "tavora_form.h"

#include <shellapi.h>

#include <cstring>

#include "common/fileio.h"
#include "common/messages.h"
#include "options_form.h"
#include "recdesk/core/stop_time.h"
#include "recdesk/texts/recdesk_texts.h"
#include "stop_time_form.h"
#include "winui/dialogs.h"
#include "winui/folder_picker.h"
#include "winui/program_folder.h"
#include "winui/pump.h"
#include "winui/text.h"

namespace {

// How long mark 2 waits for the queue to send its "quit OFF" before the program ends.
constexpr uint32_t kQuitDrainMs = 10000;
// How long the end of Windows waits for the queue: it allows a program about five seconds.
constexpr uint32_t kEndSessionDrainMs = 4000;

const char* const kTrayTips[3] = {texts::kTrayTipWaiting, texts::kTrayTipPreparing, texts::kTrayTipRecording};

// The tray's three images: idle, preparing, recording.
HICON solidIcon(COLORREF colour) {
  constexpr int kSize = 16;
  HDC screen = GetDC(nullptr);
  HBITMAP colourBits = CreateCompatibleBitmap(screen, kSize, kSize);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, colourBits);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, kSize, kSize};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  HBITMAP mask = CreateBitmap(kSize, kSize, 1, 1, nullptr);
  ICONINFO info{TRUE, 0, 0, mask, colourBits};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colourBits);
  return icon;
}

winui::Form::Options mainWindowOptions() {
  winui::Form::Options options;
  options.className = L"TTavora";
  options.caption = texts::kMainCaption;
  options.style = WS_POPUP;
  options.bounds = {0, 0, 0, 0};
  return options;
}

}  // namespace

TTavora::TTavora(timerIni& settings, bool saveSettings)
    : winui::Form(mainWindowOptions()), settings_(settings), saveSettings_(saveSettings), link_(handle()) {
  manualStopTime = clock_.now();
  process_ = std::make_unique<EngineProcess>(handle(), [this] { onEngineEnded(); });
  channelTableFound = tavora::fileExists(programFolder() + "TvTuner.dat");

  watch_ = std::make_unique<WinEngineWatch>(*process_, link_);
  ackTimer_ = std::make_unique<WinTimer>([this] { dsControl_->onAckTimeout(); });
  Timer1 = std::make_unique<WinTimer>([this] { rsvTime_->onTimer(); });
  // The queue and the scheduler talk to the view, so it is built before them; its FormCreate
  // runs once the tray menu it borrows is complete.
  view_ = std::make_unique<TFormTVView>(*this, programFolder());
  dialogs_ = std::make_unique<FormSchedulerDialogs>(
      settings_, clock_,
      FormSchedulerDialogs::View{[this] { return view_->alwaysOnTop(); },
                                 [this] { view_->controls().setMuteDown(true); },
                                 [this](bool open) { countdownOpen(open); }});
  dsControl_ = std::make_unique<dsControl>(link_, *ackTimer_, *watch_, *view_);
  graphTimer_ = std::make_unique<WinTimer>([this] { graphWatch_->onTimer(); });
  graphWatch_ = std::make_unique<GraphWatch>(*dsControl_, *graphTimer_);
  reserveFile_ = std::make_unique<ReserveFileSource>(programFolder() + "reserve.dat");
  rsvTime_ = std::make_unique<rsvTime>(rsvTime::Ports{clock_, *Timer1, *dsControl_, *view_, *dialogs_, *this,
                                                      launcher_, *reserveFile_, settings_});

  // FormCreate
  winui::setApplicationWindow(handle());  // the owner of the folder picker
  trayMessage_ = RegisterWindowMessageW(L"IconNotify");
  images_ = {solidIcon(RGB(0, 128, 0)), solidIcon(RGB(224, 160, 0)), solidIcon(RGB(208, 0, 0))};
  tray_ = std::make_unique<winui::TrayIcon>(handle(), trayMessage_);
  tray_->add(images_[0], kTrayTips[0]);

  PopupMenu1.add(N1, texts::kMenuTvView);
  PopupMenu1.add(N2, texts::kMenuStopRecording);
  PopupMenu1.add(N3, texts::kMenuStopTime);
  PopupMenu1.add(N4, texts::kMenuReservations);
  PopupMenu1.add(N5, texts::kMenuGuide);
  PopupMenu1.add(About1, texts::kMenuVersion);
  PopupMenu1.add(Exit1, texts::kMenuExit);

  view_->create(*dsControl_, *rsvTime_);
  built_ = true;
  if (link_.engineKnown()) dsControl_->engineAnnounced();
}

TTavora::~TTavora() {
  winui::setApplicationWindow(nullptr);
  // The view gives the borrowed tray menu back while both still exist.
  view_.reset();
  tray_.reset();
  for (HICON icon : images_) DestroyIcon(icon);
}

void TTavora::setTrayIcon(int index) {
  if (index < 0 || index > 2) return;
  // The preparing image marks a reservation's set-up, which replaces a manual recording.
  if (index == 1) view_->recording().scheduledSetUp();
  tray_->setIconAndTip(images_[static_cast<size_t>(index)], kTrayTips[index]);
}

void TTavora::setTrayTip(const std::string& tip) { tray_->setTip(tip); }

void TTavora::setRecordingItems(bool enabled) {
  if (enabled) ++recordingsBegun_;
  recMenuOn = stopTimeMenuOn = enabled;
}

void TTavora::viewShown(bool shown) {
  PopupMenu1.setChecked(N1, shown);
  if (!shown) recMenuOn = stopTimeMenuOn = false;
}

LRESULT TTavora::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!built_) {
    // Nothing was asked of the engine yet, so its announcement is all that can come.
    if (msg == tvr::TVR_ENGINEWND) link_.setEngineWindow(reinterpret_cast<HWND>(wParam));
    if (msg == tvr::TVR_ENGINEWND || msg == WM_COPYDATA || (msg >= tvr::kWmUser && msg < 0xC000)) return 0;
  }
  if (trayMessage_ != 0 && msg == trayMessage_) {
    trayCallback(lParam);
    return 0;
  }
  switch (msg) {
    case WM_COPYDATA:
      // Only the engine talks to us this way; anything else ends here.
      if (!link_.engineKnown() || reinterpret_cast<HWND>(wParam) != link_.engineWindow()) return 0;
      onCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      break;
    case WM_COMMAND:
      // A menu command posted to this window runs like the item chosen from the tray, and only
      // when the tray would offer it.
      if (lParam == 0 && HIWORD(wParam) == 0) {
        PopupMenu1Popup();
        if (PopupMenu1.choosable(LOWORD(wParam))) runMenuItem(LOWORD(wParam));
        return 0;
      }
      break;
    case tvr::TVR_VOLUME:
      view_->setVolume(static_cast<int>(wParam));
      break;
    case tvr::TVR_MUTE:
      view_->controls().setMuteDown(wParam != 0);
      dsControl_->observe(msg, wParam);
      break;
    case tvr::TVR_CHANNEL:
      view_->setChannelLabel(static_cast<uint32_t>(wParam));
      break;
    case tvr::TVR_RECON:
      view_->recording().onRecOn();
      rsvTime_->onRecOn();
      graphWatch_->onRecOn();
      break;
    case tvr::TVR_RECOFF:
      graphWatch_->onRecOff();
      view_->recording().onRecOff();
      break;
    case tvr::TVR_GRAPHABORT:
      // The graph stopped on an error (a full disk, a device lost): what records ends, failed.
      if (!rsvTime_->onGraphAbort()) view_->recording().onGraphAbort();
      break;
    case tvr::TVR_SIGNAL:
      if (wParam != 0 && !view_->controls().muteDown()) dsControl_->setMute(false);
      break;
    case tvr::TVR_ANTRANGE:
      view_->antennaMin = static_cast<int32_t>(wParam);
      view_->antennaMax = static_cast<int32_t>(lParam);
      break;
    case tvr::TVR_CBLRANGE:
      view_->cableMin = static_cast<int32_t>(wParam);
      view_->cableMax = static_cast<int32_t>(lParam);
      break;
    case tvr::TVR_ISANTENNA:
      view_->isAntenna = wParam == 1;
      break;
    case tvr::TVR_CHANGED:
      rsvTime_->onReservationsChanged();
      break;
    case tvr::TVR_ENGINEWND:
      link_.setEngineWindow(reinterpret_cast<HWND>(wParam));
      dsControl_->engineAnnounced();
      break;
    case tvr::TVR_DONE: {
      const auto id = static_cast<int32_t>(lParam);
      const auto& queue = dsControl_->queue();
      const bool current = dsControl_->busy() && !queue.empty() && queue.front().id == id;
      dsControl_->sendNext(id);
      if (current) {
        view_->recording().onAcknowledged(id);
        rsvTime_->onAcknowledged(id);
      }
      break;
    }
    case tvr::TVR_MARK:
      onMark(wParam);
      dsControl_->observe(msg, wParam);
      break;
    case tvr::TVR_VIDEOPROP:
    case tvr::TVR_VIDEOSIZE:
    case tvr::TVR_AUDIOFORMAT:
    case tvr::TVR_MIXDEVINDEX:
    case tvr::TVR_COMPINDEX:
    case tvr::TVR_FRAMERATE:
    case tvr::TVR_FORMATDONE:
    case tvr::TVR_CHADDED:
      // The options dialog's replies; dropped when none is open.
      if (optionsDialog) optionsDialog->engineReply(msg, wParam, lParam);
      break;
    case tvr::TVR_DRIVER:
      useVfw = wParam != 1;
      driverChoice = lParam != 0;
      break;
    case WM_QUERYENDSESSION:
      return queryEndSession();
    case WM_TIMECHANGE:
      rsvTime_->onClockChanged();
      break;
    case WM_ENDSESSION:
      // Cancelled (FALSE): nothing was stopped, the recorder goes on. Ending: log-off skips the
      // program's own teardown, so the settings are saved now.
      if (wParam) {
        endSession();
        saveSettings();
      }
      break;
  }
  return defaultHandling(msg, wParam, lParam);
}

void TTavora::onCopyData(const COPYDATASTRUCT& data) {
  // Kind 1 is the view's caption; the other kinds fill the options dialog, when one is open.
  if (data.dwData != tvr::CD_CAPTION) {
    if (optionsDialog) optionsDialog->engineBlock(static_cast<unsigned>(data.dwData), data.lpData, data.cbData);
    return;
  }
  if (!data.lpData) return;
  const char* text = static_cast<const char*>(data.lpData);
  view_->setCaption(std::string(text, strnlen(text, data.cbData)));
}

void TTavora::onMark(WPARAM which) {
  switch (which) {
    case 1:
      view_->close();
      dsControl_->sendMark(2);
      break;
    case 4:
      view_->close();
      break;
    case 2:
      terminating_ = true;
      dsControl_->execOneLine("quit OFF");
      waitForQueue(kQuitDrainMs);
      terminate();
      break;
    case 3:
      terminating_ = true;
      dsControl_->execOneLine("quit");
      waitForQueue(0);
      terminate();
      break;
    case 5:
      channelTableFound = true;
      break;
  }
}

void TTavora::waitForQueue(uint32_t boundMs) {
  // Done when the last request (the quit) has gone out; the engine may end before answering it.
  const int32_t last = dsControl_->queue().empty() ? 0 : dsControl_->queue().back().id;
  bool timedOut = false;
  winui::Timer bound(winui::Timer::Kind::oneShot, [&] { timedOut = true; });
  if (boundMs) bound.start(boundMs);
  winui::runLoopUntil([&] {
    const auto& queue = dsControl_->queue();
    return timedOut || queue.empty() || queue.front().id == last;
  });
}

void TTavora::terminate() {
  terminating_ = true;
  PostQuitMessage(0);
}

void TTavora::onEngineEnded() {
  dsControl_->engineEnded();
  link_.setEngineWindow(nullptr);
  if (terminating_ || engineEndTold_) return;
  engineEndTold_ = true;
  winui::messageBox(nullptr, texts::kEngineEnded, MB_OK | MB_ICONERROR);
}

void TTavora::trayCallback(LPARAM mouse) {
  if (mouse != WM_RBUTTONDOWN) return;
  PopupMenu1Popup();
  POINT at{};
  GetCursorPos(&at);
  UINT chosen = PopupMenu1.popUp(handle(), at);
  // The menu's own loop may have started a request or a recording meanwhile: the choice runs
  // only if the item is still enabled.
  PopupMenu1Popup();
  if (chosen && PopupMenu1.choosable(chosen)) runMenuItem(chosen);
}

void TTavora::countdownOpen(bool open) {
  // The countdowns have no owner window: the view and the tray refuse as under a modal dialog.
  countdownOpen_ = open;
  EnableWindow(view_->handle(), !open);
  EnableWindow(view_->controls().handle(), !open);  // also while it floats
}

void TTavora::PopupMenu1Popup() {
  const TrayMenuEnabling e = trayMenuEnabling(
      {dsControl_->busy(), optionsOpen || countdownOpen_, channelTableFound, recMenuOn, stopTimeMenuOn});
  PopupMenu1.setEnabled(N1, e.tvView);
  PopupMenu1.setEnabled(N2, e.stopRecording);
  PopupMenu1.setEnabled(N3, e.stopTime);
  PopupMenu1.setEnabled(N4, e.reservations);
  PopupMenu1.setEnabled(N5, e.guide);
  PopupMenu1.setEnabled(About1, e.version);
  PopupMenu1.setEnabled(Exit1, e.exit);
}

void TTavora::runMenuItem(UINT id) {
  switch (id) {
    case N1:
      N1Click();
      break;
    case N2:
      N2Click();
      break;
    case N3:
      N3Click();
      break;
    case N4:
      startProgram("planbook.exe");
      break;
    case N5:
      startProgram("guidepane.exe");
      break;
    case About1:
      About1Click();
      break;
    case Exit1:
      Exit1Click();
      break;
  }
}

void TTavora::N1Click() {
  if (view_->isShown()) {
    view_->close();
    return;
  }
  view_->show();
  dsControl_->firstPreview();
  dsControl_->execOneLine("tune setCh");
  dsControl_->restoreSysVolMute();
  dsControl_->sendMark(5);
}

void TTavora::N2Click() {
  // The record button goes up and its stop runs: a reservation is finished by the scheduler,
  // a manual recording stops and the preview comes back. With nothing recording there is
  // nothing to stop (the item is then disabled; a posted command must not build a preview).
  if (!recMenuOn && !view_->isRecording()) return;
  view_->controls().setRecordDown(false);
  view_->SpeedButton3Click();
}

void TTavora::N3Click() {
  ManualRecording& manual = view_->recording();
  const bool scheduled = rsvTime_->state() == rsvTime::REC;
  if (!scheduled && !manual.running()) return;
  const uint32_t target = recordingsBegun_;
  TFormStopTime form(handle(), clock_, view_->alwaysOnTop());
  const double shown = clock_.now();
  if (scheduled) {
    form.setStopTime(rsvTime_->recordingEnd(), shown);
    form.setPowerOff(rsvTime_->recordingPowerOff());
    form.allowDrop(false);
  } else {
    form.setStopTime(manual.stopTimerArmed() ? manualStopTime : shown + 30.0 / 1440, shown);
    form.setPowerOff(manual.powerOffAfterStop());
  }
  const double filledTime = form.stopTime();  // as the picker holds it
  const bool filledPowerOff = form.powerOff();
  if (form.run() != 1) return;
  // The dialog is modal: what it was opened for may have ended, or another recording begun.
  const bool same = recordingsBegun_ == target && (scheduled ? rsvTime_->state() == rsvTime::REC : manual.running());
  if (!same) return;
  if (scheduled) return rsvTime_->answerStopTime(filledTime, filledPowerOff, form.stopTime(), form.powerOff());
  const double now = clock_.now();
  if (form.dropStopTime()) return manual.disarmStopTimer();
  manual.armStopTimer(static_cast<uint32_t>(millisecondsToStop(form.stopTime(), now)), form.powerOff());
  manualStopTime = nextStop(form.stopTime(), now);
}

void TTavora::startProgram(const char* file) {
  ShellExecuteW(nullptr, nullptr, winui::widen(programFolder() + file).c_str(), nullptr, nullptr, SW_HIDE);
}

void TTavora::About1Click() {
  std::string text;
  const char* const files[] = {"recdesk.exe", "grabcore.exe", "planbook.exe", "guidepane.exe"};
  for (const char* file : files) {
    if (!text.empty()) text += "\n";
    text += std::string(file) + "\r\t" + productVersionOf(file);
  }
  text += texts::kVersionTail;
  winui::messageBox(handle(), text, texts::kVersionCaption, MB_OK);
}

void TTavora::Exit1Click() {
  stopForEnd();
  if (view_->isShown()) {
    view_->closeForEnd();
    if (!dsControl_->engineGone()) {
      // The close tears the preview down first; the echo of mark 3 ends the program.
      dsControl_->sendMark(3);
      return;
    }
  }
  dsControl_->execOneLine("quit");
  terminate();
}

void TTavora::stopForEnd() {
  terminating_ = true;
  rsvTime_->armWakeUp();
  rsvTime_->stopForExit();
}

LRESULT TTavora::queryEndSession() {
  if (auto start = rsvTime_->nextStart(); start && !rsvTime_->powerOffFitsBefore(start)) {
    if (winui::messageBox(handle(), texts::kEndSessionWarning, MB_YESNO | MB_ICONWARNING) != IDYES)
      return 0;
  }
  // Only the wake-up alarm now: another program may still cancel the end after this answer.
  rsvTime_->armWakeUp();
  return 1;
}

void TTavora::endSession() {
  terminating_ = true;
  // As a reservation closes it: what the dialog holds goes, and its table's save, before "quit".
  view_->closeOptions();
  rsvTime_->stopForExit();
  if (view_->isShown()) view_->closeForEnd();
  dsControl_->execOneLine("quit");
  // The lines go out one by one; Windows ends the program soon after this message.
  waitForQueue(kEndSessionDrainMs);
}

void TTavora::saveSettings() {
  if (saveSettings_ && !settings_.save())
    winui::messageBox(nullptr, texts::kTimerFileCannotOpen, MB_OK | MB_ICONERROR);
}
