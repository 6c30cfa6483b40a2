// The TV view's control panel (Panel2: channel label, channel up and down, record, volume bar,
// mute), laid out as a row or a column, and TCtrlPanel, the small window that holds it while
// it floats.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "recdesk/core/view_sizing.h"
#include "winui/form.h"

class ControlPanel : public winui::Form {
 public:
  // Child ids: the sizing::Child order plus one.
  enum Id : int { Panel3 = 1, SpeedButton1, SpeedButton2, SpeedButton3, TrackBar1, SpeedButton4 };

  explicit ControlPanel(HWND view);

  // Lays the children out in a row; returns the row's width.
  int layoutPanelHorizontal();
  void layoutPanelVertical();
  bool vertical() const;

  // Moves the panel into a window: the view (docked) or the floating host.
  void dockInto(HWND parent, const RECT& bounds);

  void setChannelLabel(const std::string& cp932) { setText(Panel3, cp932); }
  std::string channelLabel() const { return text(Panel3); }
  // The toggles' down states; setting them runs no click handler.
  void setRecordDown(bool down) { setChecked(SpeedButton3, down); }
  bool recordDown() const { return checked(SpeedButton3); }
  void setMuteDown(bool down) { setChecked(SpeedButton4, down); }
  bool muteDown() const { return checked(SpeedButton4); }
  void setVolumeBarPosition(int position) { setTrackPosition(TrackBar1, position); }
  int volumeBarPosition() const { return trackPosition(TrackBar1); }

  // A right click on the panel, with the point in screen coordinates.
  void onContextMenu(std::function<void(POINT)> handler) { contextMenu_ = std::move(handler); }

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void place(const sizing::PanelLayout& layout);
  void setOrientation(bool vertical);
  std::function<void(POINT)> contextMenu_;
};

// The floating host: a small tool window without a system menu, so without a close box.
class TCtrlPanel : public winui::Form {
 public:
  TCtrlPanel(HWND owner, ControlPanel& panel);

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  ControlPanel& panel_;
};
