// TTavora: the recorder's hidden main window. It starts the engine, owns the tray icon and its
// menu, and receives every message of the engine, planbook's change notice and Windows' end.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "engine_link.h"
#include "recdesk/core/ds_control.h"
#include "recdesk/core/graph_watch.h"
#include "recdesk/core/rsv_time.h"
#include "recdesk/core/timer_ini.h"
#include "recdesk/core/tray_menu.h"
#include "scheduler_dialogs.h"
#include "scheduler_ports.h"
#include "tv_view_form.h"
#include "winui/form.h"
#include "winui/popup_menu.h"
#include "winui/tray_icon.h"

class TTavora : public winui::Form, public TrayPort, public ViewOwner {
 public:
  // Menu item ids of PopupMenu1.
  enum MenuItem : UINT { N1 = 1, N2, N3, N4, N5, About1, Exit1 };

  // settings: timerSetup.dat as loaded; saveSettings: whether it may be written back.
  TTavora(timerIni& settings, bool saveSettings);
  ~TTavora() override;

  // TrayPort.
  void setTrayIcon(int index) override;
  void setTrayTip(const std::string& tip) override;
  void setRecordingItems(bool enabled) override;

  // ViewOwner.
  HMENU trayMenu() override { return PopupMenu1.handle(); }
  void trayMenuPopup() override { PopupMenu1Popup(); }
  void trayCommand(UINT id) override { runMenuItem(id); }
  void viewShown(bool shown) override;
  MainOptionsState optionsState() override { return {settings_, useVfw, driverChoice, optionsOpen}; }
  bool confirmPowerOff() override { return dialogs_->confirmPowerOff(); }

  // Writes timerSetup.dat unless it could not be read at start; a failure is told.
  void saveSettings();

  dsControl& engine() { return *dsControl_; }
  rsvTime& scheduler() { return *rsvTime_; }
  TFormTVView& view() { return *view_; }

  bool channelTableFound = false;
  bool useVfw = true;
  bool driverChoice = true;
  bool recMenuOn = false;
  bool stopTimeMenuOn = false;
  bool optionsOpen = false;
  double manualStopTime = 0;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void onCopyData(const COPYDATASTRUCT& data);
  void onMark(WPARAM which);
  void onEngineEnded();
  void trayCallback(LPARAM mouse);
  // The notice or the power-off countdown opens (true) or closes.
  void countdownOpen(bool open);
  void PopupMenu1Popup();
  void runMenuItem(UINT id);
  void About1Click();
  void N1Click();
  void N2Click();
  void N3Click();
  void Exit1Click();
  void startProgram(const char* file);
  LRESULT queryEndSession();
  // WM_ENDSESSION with TRUE: the capture stopped, the view closed, the engine told to quit.
  void endSession();
  // Exit: the wake-up program for the next reservation, and a running
  // capture stopped before anything else goes to the engine.
  void stopForEnd();
  // Pumps messages while the queue is busy, at most the bound (0: until it drains).
  void waitForQueue(uint32_t boundMs);
  void terminate();

  timerIni& settings_;
  bool saveSettings_;
  UINT trayMessage_ = 0;
  std::array<HICON, 3> images_{};
  EngineLink link_;
  std::unique_ptr<EngineProcess> process_;
  std::unique_ptr<WinEngineWatch> watch_;
  std::unique_ptr<WinTimer> ackTimer_;
  std::unique_ptr<WinTimer> Timer1;
  std::unique_ptr<WinTimer> graphTimer_;
  std::unique_ptr<GraphWatch> graphWatch_;
  std::unique_ptr<TFormTVView> view_;
  std::unique_ptr<FormSchedulerDialogs> dialogs_;
  LocalClock clock_;
  ShellLauncher launcher_;
  std::unique_ptr<ReserveFileSource> reserveFile_;
  std::unique_ptr<dsControl> dsControl_;
  std::unique_ptr<rsvTime> rsvTime_;
  std::unique_ptr<winui::TrayIcon> tray_;
  winui::PopupMenu PopupMenu1;
  bool countdownOpen_ = false;
  // Until the constructor has built the queue, the scheduler and the view: a box shown while the
  // view is built runs a loop in which the engine may already announce itself.
  bool built_ = false;
  // Counts the recordings begun, scheduled or manual: the stop-time dialog applies its result
  // only to the one it was opened for.
  uint32_t recordingsBegun_ = 0;
  bool engineEndTold_ = false;
  bool terminating_ = false;
};

// "Ver " and the product version of a file in the program folder, or "不明".
std::string productVersionOf(const std::string& file);
