#include "video_sound_page.h"

#include <commctrl.h>

#include "common/messages.h"
#include "options_form.h"
#include "recdesk/core/ds_control.h"
#include "recdesk/core/options_rules.h"
#include "recdesk/texts/options_texts.h"
#include "tv_view_form.h"

namespace {

enum Id {
  TrackBar1 = 1, TrackBar2, TrackBar3, TrackBar4,  // saturation, brightness, contrast, hue
  Button4 = 10, ComboBox3, RadioGroup3, RadioVfw, RadioWdm, GroupBox6, CheckBox6, Edit8, CheckBox7,
  kLabels = 40
};

// The bars in the order of their ids, with the property each sets.
struct Bar {
  int id;
  const char* property;
  const char* caption;
  int row;
};
const Bar kBars[4] = {{TrackBar1, "Saturation", texts::kVideoSaturation, 3},
                      {TrackBar2, "Brightness", texts::kVideoBrightness, 0},
                      {TrackBar3, "Contrast", texts::kVideoContrast, 1},
                      {TrackBar4, "Hue", texts::kVideoHue, 2}};
// TVR_VIDEOPROP's property numbers: 0 Brightness, 1 Contrast, 2 Hue, 3 Saturation.
constexpr size_t kBarOfProperty[4] = {1, 2, 3, 0};
constexpr int kCentre = 127;

}  // namespace

std::unique_ptr<OptionsPage> makeVideoSoundPage(TForm3& dialog) { return std::make_unique<TabSheet1>(dialog); }

TabSheet1::TabSheet1(TForm3& dialog) : OptionsPage(dialog, L"TForm3TabSheet1") {
  int label = kLabels;
  // Made row by row, so that Tab goes down the bars as they are laid out.
  for (int row = 0; row < 4; ++row)
    for (size_t i = 0; i < 4; ++i) {
      const Bar& bar = kBars[i];
      if (bar.row != row) continue;
      const int top = 10 + bar.row * 34;
      addControl(winui::Control::label, label++, bar.caption, RECT{12, top + 4, 100, 18});
      addControl(winui::Control::trackBar, bar.id, "", RECT{116, top, 200, 30}, TBS_NOTICKS);
      setTrackRange(bar.id, 0, 255);
      SendMessageW(control(bar.id), TBM_SETPOS, TRUE, kCentre);
      positions_[i] = kCentre;
      onChange(bar.id, [this, i] { barChanged(i); });
    }
  addControl(winui::Control::button, Button4, texts::kVideoReset, RECT{326, 112, 90, 25});
  onClick(Button4, [this] { Button4Click(); });

  addControl(winui::Control::label, label++, texts::kVideoMixerLine, RECT{12, 152, 228, 18});
  addControl(winui::Control::comboBox, ComboBox3, "", RECT{12, 172, 220, 200});
  onChange(ComboBox3, [this] {
    if (comboIndex(ComboBox3) >= 0)
      dialog_.engine().execOneLine("mix setCurrentMixDev " + std::to_string(comboIndex(ComboBox3)));
  });

  addControl(winui::Control::button, RadioGroup3, texts::kVideoDriverGroup, RECT{244, 146, 172, 70}, BS_GROUPBOX);
  addControl(winui::Control::button, RadioVfw, texts::kVideoDriverVfw, RECT{254, 166, 156, 20},
             BS_AUTORADIOBUTTON | WS_GROUP);
  addControl(winui::Control::button, RadioWdm, texts::kVideoDriverWdm, RECT{254, 188, 156, 20}, BS_AUTORADIOBUTTON);
  onClick(RadioVfw, [this] { RadioGroup3Click(0); });
  onClick(RadioWdm, [this] { RadioGroup3Click(1); });

  addControl(winui::Control::button, GroupBox6, texts::kVideoFileGroup, RECT{12, 222, 262, 52}, BS_GROUPBOX);
  addControl(winui::Control::checkBox, CheckBox6, texts::kVideoPreallocate, RECT{22, 242, 150, 20});
  onClick(CheckBox6, [this] { CheckBox6Click(); });
  addControl(winui::Control::edit, Edit8, "", RECT{174, 242, 44, 20});
  onChange(Edit8, [this] { Edit8Change(); });
  addControl(winui::Control::label, label++, texts::kVideoMegaBytes, RECT{222, 244, 50, 18}, SS_LEFTNOWORDWRAP);

  addControl(winui::Control::checkBox, CheckBox7, texts::kVideoNoPreview, RECT{12, 284, 260, 20});
  onClick(CheckBox7, [this] { CheckBox7Click(); });
}

void TabSheet1::shown() {
  dialog_.videoTabReady = false;
  const OptionsLinks& links = dialog_.links();
  for (int id : {RadioGroup3, RadioVfw, RadioWdm}) setEnabled(id, links.driverChoice);
  SendMessageW(control(RadioVfw), BM_SETCHECK, links.useVfw ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(control(RadioWdm), BM_SETCHECK, links.useVfw ? BST_UNCHECKED : BST_CHECKED, 0);
  for (const Bar& bar : kBars) {
    HWND window = control(bar.id);
    SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) & ~TBS_ENABLESELRANGE);
  }
  dsControl& engine = dialog_.engine();
  for (const char* property : {"Saturation", "Brightness", "Contrast", "Hue"}) engine.getQuality(property);
  engine.execOneLine("mix getDevList");
  engine.execOneLine("mix getNowMixerDev");
  const ViewSettings& settings = links.view.settings().viewSettings;
  if (settings.preallocMB != 0) {
    setChecked(CheckBox6, true);
    setEnabled(Edit8, true);
    setText(Edit8, std::to_string(settings.preallocMB));
  } else {
    setChecked(CheckBox6, false);
    setEnabled(Edit8, false);
    setText(Edit8, "");
  }
  setChecked(CheckBox7, settings.noPreviewWhileRecording != 0);
  dialog_.videoTabReady = true;
}

void TabSheet1::engineReply(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == tvr::TVR_VIDEOPROP) {
    if (wParam > 3) return;
    const size_t bar = kBarOfProperty[wParam];
    const int32_t value = static_cast<int32_t>(lParam);
    const int shown = clampPicture(value);
    // The device's own value lies outside the bar: it takes the clamped one, also when the bar
    // is there already.
    if (shown != value && positions_[bar] == shown) dialog_.engine().setQuality(kBars[bar].property, shown);
    // A move raises the bar's change as a user's would: the value goes back once.
    setTrackPosition(kBars[bar].id, shown);
  } else if (msg == tvr::TVR_MIXDEVINDEX) {
    setComboIndex(ComboBox3, static_cast<int>(wParam));
  }
}

void TabSheet1::mixerLines(const std::vector<std::string>& names) { setComboItems(ComboBox3, names); }

void TabSheet1::barChanged(size_t bar) {
  const int position = trackPosition(kBars[bar].id);
  if (position == positions_[bar]) return;
  positions_[bar] = position;
  dialog_.engine().setQuality(kBars[bar].property, position);
}

void TabSheet1::Button4Click() {
  for (const Bar& bar : kBars) setTrackPosition(bar.id, kCentre);
}

int TabSheet1::driverSelection() const { return checked(RadioWdm) ? 1 : 0; }

void TabSheet1::RadioGroup3Click(int selection) {
  bool& useVfw = dialog_.links().useVfw;
  if ((selection == 0) == useVfw) return;
  useVfw = selection == 0;
  dsControl& engine = dialog_.engine();
  engine.execOneLine("mix getSysVolMute");
  engine.setMute(true);
  engine.execOneLine("clean filterSet");
  engine.execOneLine("tune nukeWithoutNeeds cFg");
  engine.execOneLine(useVfw ? "cVCap chgDriver VfW" : "cVCap chgDriver WDM");
  engine.sendPanelNumbers();
  engine.execCmdFile("preView3.cmd");
  engine.restoreSysVolMute();
}

void TabSheet1::CheckBox6Click() {
  if (checked(CheckBox6)) {
    setEnabled(Edit8, true);
    Edit8Change();
  } else {
    dialog_.links().view.settings().viewSettings.preallocMB = 0;
    setEnabled(Edit8, false);
  }
}

void TabSheet1::Edit8Change() {
  if (!dialog_.videoTabReady) return;
  if (auto value = integerText(text(Edit8))) {
    dialog_.links().view.settings().viewSettings.preallocMB = *value;
    return;
  }
  dialog_.links().view.settings().viewSettings.preallocMB = 1;
  setText(Edit8, "1");
}

void TabSheet1::CheckBox7Click() {
  dialog_.links().view.settings().viewSettings.noPreviewWhileRecording = checked(CheckBox7) ? 1 : 0;
}

LRESULT TabSheet1::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A click into the size selects all of it, so typing replaces the number.
  if (msg == WM_COMMAND && LOWORD(wParam) == Edit8 && HIWORD(wParam) == EN_SETFOCUS)
    PostMessageW(control(Edit8), EM_SETSEL, 0, -1);
  return OptionsPage::handleMessage(msg, wParam, lParam);
}
