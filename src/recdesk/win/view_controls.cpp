// The TV view's control panel at work: channel, volume and mute through the engine with the
// mixer's echoes counted off, the keys that reach them, and the record button.
#include <windows.h>
#include <mmsystem.h>

#include "recdesk/core/ds_control.h"
#include "recdesk/texts/view_control_texts.h"
#include "tv_view_form.h"
#include "winui/dialogs.h"

void TFormTVView::SpeedButton1Click() {
  if (!engine_) return;
  // Muted across the change; the main window unmutes when the new channel has a signal.
  engine_->setMute(true);
  engine_->execOneLine("tune incChannel");
}

void TFormTVView::SpeedButton2Click() {
  if (!engine_) return;
  engine_->setMute(true);
  engine_->execOneLine("tune decChannel");
}

void TFormTVView::SpeedButton3Click() {
  if (!recording_) return;
  const CapFormFile& s = settings_;
  recording_->recordClicked({s.qualityName, s.recordFileName, s.viewSettings.confirmBeforeRecording != 0});
}

void TFormTVView::SpeedButton4Click() {
  if (engine_) engine_->setMute(Panel2->muteDown());
}

void TFormTVView::TrackBar1Change() {
  // Moves made before the engine is there (the layout at creation) are not the user's.
  if (!engine_ || !mixerecho::volumeChangeSends(mixer_)) return;
  engine_->setVolume(mixerecho::barVolume(Panel2->volumeBarPosition(), Panel2->vertical()));
}

bool TFormTVView::appMessageHook(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || GetActiveWindow() != handle()) return false;
  const bool ctrlOnly = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
  if (ctrlOnly && msg.wParam == 'R') {
    // FormKeyDown: Ctrl+R is the record button.
    Panel2->setRecordDown(!Panel2->recordDown());
    SpeedButton3Click();
    return true;
  }
  if (ctrlOnly && menuShortcut(msg.wParam)) return true;
  HWND bar = Panel2->control(ControlPanel::TrackBar1);
  switch (msg.wParam) {
    case VK_LEFT:
      SpeedButton2Click();
      break;
    case VK_RIGHT:
      SpeedButton1Click();
      break;
    // One page louder or softer in either orientation: a vertical bar runs the other way.
    case VK_UP:
      SendMessageW(bar, WM_KEYDOWN, Panel2->vertical() ? VK_PRIOR : VK_NEXT, 0);
      break;
    case VK_DOWN:
      SendMessageW(bar, WM_KEYDOWN, Panel2->vertical() ? VK_NEXT : VK_PRIOR, 0);
      break;
    case VK_DELETE:
      Panel2->setMuteDown(!Panel2->muteDown());
      SpeedButton4Click();
      break;
  }
  return false;
}

void TFormTVView::onMixerIds(WPARAM volumeId, LPARAM muteId) {
  mixer_.volumeControlId = static_cast<int32_t>(volumeId);
  mixer_.muteControlId = static_cast<int32_t>(muteId);
  mixerAvailable(true);  // a mixer with a line is there (again)
}

void TFormTVView::mixerAvailable(bool available) {
  EnableWindow(Panel2->control(ControlPanel::TrackBar1), available);
  EnableWindow(Panel2->control(ControlPanel::SpeedButton4), available);
}

void TFormTVView::onMixerControlChange(LPARAM control) {
  const mixerecho::Query query = mixerecho::controlChanged(mixer_, static_cast<uint32_t>(control));
  if (!engine_) return;
  if (query == mixerecho::Query::volume) engine_->getVolume();
  if (query == mixerecho::Query::mute) engine_->getMute();
}

void TFormTVView::onNoMixer() {
  ShowWindow(Panel2->control(ControlPanel::TrackBar1), SW_HIDE);
  ShowWindow(Panel2->control(ControlPanel::SpeedButton4), SW_HIDE);
}

bool TFormTVView::confirmStart(const std::string& text) {
  return winui::messageBox(handle(), text, texts::kConfirmStartCaption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void TFormTVView::tell(const std::string& text) {
  winui::messageBox(handle(), text, MB_OK | MB_ICONINFORMATION);
}
