// TFormTVView: the window in which live TV shows. Its client area is the video panel (Panel1,
// into which the engine renders) and the control panel (Panel2), docked on a side, hidden or
// floating. It keeps its layout and the manual-recording settings in capForm.dat, loaded at
// creation and written at every close.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ctrl_panel.h"
#include "engine_link.h"
#include "recdesk/core/cap_form_file.h"
#include "recdesk/core/manual_recording.h"
#include "recdesk/core/mixer_echo.h"
#include "recdesk/core/ports.h"
#include "recdesk/core/timer_ini.h"
#include "recdesk/core/view_sizing.h"
#include "winui/form.h"
#include "winui/popup_menu.h"

class dsControl;
class rsvTime;

// The main window's state the options dialog reads and writes.
struct MainOptionsState {
  timerIni& timer;
  bool& useVfw;
  const bool& driverChoice;
  bool& optionsOpen;
};

// What the view needs of the main window.
class ViewOwner {
 public:
  virtual ~ViewOwner() = default;
  // The tray menu, borrowed as the submenu "予約の制御".
  virtual HMENU trayMenu() = 0;
  // Enables the tray menu's items before the borrowed menu opens.
  virtual void trayMenuPopup() = 0;
  // An item of the tray menu chosen in the view's menu.
  virtual void trayCommand(UINT id) = 0;
  // The check of "TV表示"; a close also ends the recording items.
  virtual void viewShown(bool shown) = 0;
  // For the options dialog.
  virtual MainOptionsState optionsState() = 0;
  // "録画停止" and "終了時間再設定".
  virtual void setRecordingItems(bool enabled) = 0;
  // The power-off countdown after a manual recording: false only for No.
  virtual bool confirmPowerOff() = 0;
};

class TFormTVView : public winui::Form, public TvViewPort, private ManualRecordingHost {
 public:
  // Menu item ids of PopupMenu2 (above the tray menu's).
  enum MenuItem : UINT {
    N6 = 101, N7, N9, N10, N11, N12, N13,  // options, always on top, the video sizes
    N2, N3, N4, N5,                        // the corners
    N19, N20, N21, N22, N23, N24           // the panel positions 0..5
  };
  static constexpr int kPanel1 = 1;

  // Builds the hidden window and loads capForm.dat from the folder.
  TFormTVView(ViewOwner& owner, std::string folder);
  ~TFormTVView() override;  // FormDestroy

  // FormCreate: borrows the tray menu, applies the stored layout, starts the scheduler.
  void create(dsControl& engine, rsvTime& scheduler);

  // TvViewPort.
  uint32_t viewWindow() const override;
  uintptr_t viewObject() const override;
  PanelGeometry videoPanel() const override;
  int32_t preallocMB() const override { return settings_.viewSettings.preallocMB; }
  bool noPreviewWhileRecording() const override { return settings_.viewSettings.noPreviewWhileRecording != 0; }
  void countMuteEcho() override { ++mixer_.pendingMute; }
  void countVolumeEcho() override { ++mixer_.pendingVolume; }
  bool isShown() const override { return visible(); }
  void show() override;
  bool isRecording() const override { return Panel2->recordDown(); }
  void closeOptions() override;
  void mixerAvailable(bool available) override;

  // Asks the view to close; false when it refused (and minimised instead).
  bool close();
  // At the program's end, once the recording has been stopped: closes even while the record
  // button still shows the recording the engine has not yet reported stopped.
  void closeForEnd();

  // The main window's routing of the engine's reports.
  void setChannelLabel(uint32_t channel);
  void setVolume(int volume);
  ControlPanel& controls() { return *Panel2; }
  const mixerecho::Counters& mixer() const { return mixer_; }

  // The control panel's actions.
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton4Click();
  void TrackBar1Change();
  // The manual recording and its stop timer (Timer1); there once the view is created.
  ManualRecording& recording() { return *recording_; }

  // The menu.
  void runMenuItem(UINT id);
  winui::PopupMenu& menu() { return PopupMenu2; }
  // PopupMenu2Popup.
  void PopupMenu2Popup();
  bool alwaysOnTop() const { return settings_.viewSettings.alwaysOnTop != 0; }
  const CapFormFile& settings() const { return settings_; }
  CapFormFile& settings() { return settings_; }

  int32_t antennaMin = 1, antennaMax = 62;
  int32_t cableMin = 1, cableMax = 113;
  bool isAntenna = true;

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void buildMenu();
  void checkStoredItems();
  void loadViewSettings();
  void saveViewSettings();
  void applyViewLayout();
  void storePlacement();
  void FormShow();
  void FormActivate();
  void FormResize();
  void onMove();
  void FormClose();
  void closeNow();  // the close itself: clean-up, settings, hidden
  void alignPanels();
  void popUpMenu(POINT at);
  void N6Click();
  void N7Click();
  void setVideoItem(UINT item, int width, int height);
  void cornerItem(UINT item, int corner);
  void panelItem(UINT item, int position);
  void setVideoSize(int w, int h);
  void snapAspect();
  void clampToCorner();
  void setPanelPosition();
  void placeControlPanel(int position);
  void setClientSize(sizing::Size client);
  void applyTopmost();
  sizing::Size panel1Size() const;
  sizing::Size outerSize() const;
  sizing::Point windowPosition() const;
  sizing::Rect workArea() const;
  void queueSizeRequests();
  void showError(const std::string& message);
  // Keys of the whole application while the view is active: the menu's shortcuts and Ctrl+R
  // end there; the arrows and Delete act and still go on.
  bool appMessageHook(const MSG& msg);
  // Runs the item of a Ctrl shortcut's letter; false when no item has it.
  bool menuShortcut(WPARAM key);
  void onMixerIds(WPARAM volumeId, LPARAM muteId);
  void onMixerControlChange(LPARAM control);
  void onNoMixer();
  // ManualRecordingHost.
  bool recordDown() const override { return Panel2->recordDown(); }
  bool available() const override { return IsWindowEnabled(handle()) != FALSE; }
  void setRecordDown(bool down) override { Panel2->setRecordDown(down); }
  void setRecordingItems(bool enabled) override { owner_.setRecordingItems(enabled); }
  bool confirmStart(const std::string& text) override;
  bool confirmPowerOff() override { return owner_.confirmPowerOff(); }
  void tell(const std::string& text) override;

  ViewOwner& owner_;
  std::string folder_;
  CapFormFile settings_;
  dsControl* engine_ = nullptr;
  rsvTime* scheduler_ = nullptr;
  std::unique_ptr<ControlPanel> Panel2;
  mixerecho::Counters mixer_;
  std::unique_ptr<WinTimer> Timer1;
  std::unique_ptr<ManualRecording> recording_;
  std::unique_ptr<TCtrlPanel> floatingHost_;
  winui::PopupMenu PopupMenu2;
  winui::PopupMenu videoSizeMenu_;
  winui::PopupMenu cornerMenu_;
  winui::PopupMenu panelMenu_;
  bool trayBorrowed_ = false;
  int firstShowCommand_ = SW_SHOWNORMAL;
  bool shownOnce_ = false;
};
