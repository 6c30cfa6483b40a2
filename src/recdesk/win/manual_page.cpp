#include "manual_page.h"

#include "page_layout.h"
#include "recdesk/core/settings_rules.h"
#include "recdesk/texts/options_pages_texts.h"
#include "recdesk/texts/recdesk_texts.h"
#include "winui/open_file_dialog.h"
#include "winui/text.h"

namespace {

using winui::Control;

}  // namespace

ManualPage::ManualPage(HWND parent, RECT bounds, CapFormFile& view, timerIni& settings, std::string folder,
                       const bool& useVfw)
    : winui::Form(optionspage::childOptions(L"TavoraManualPage", parent, bounds)),
      view_(view),
      settings_(settings),
      folder_(std::move(folder)),
      useVfw_(useVfw) {
  addControl(Control::label, kLabels, texts::kQualityLabel, {8, 12, 90, 16});
  addControl(Control::comboBox, ComboBox4, "", {100, 8, 200, 200});
  addControl(Control::label, kLabels + 1, texts::kFileLabel, {8, 44, 90, 16});
  addControl(Control::edit, Edit11, "", {100, 41, 268, 21});
  addControl(Control::button, Button3, texts::kBrowse, {374, 41, 28, 21});
  RadioGroup1_ = std::make_unique<winui::RadioGroup>(
      *this, RadioGroup1, texts::kRecordButtonGroup,
      std::vector<std::string>{texts::kWaitAndAsk, texts::kStartAtOnce}, RECT{8, 74, 404, 68});
  addControl(Control::checkBox, CheckBox4, texts::kStopManual, {8, 152, 404, 20});
  optionspage::applyFont(handle());

  onChange(ComboBox4, [this] {
    const int index = comboIndex(ComboBox4);
    if (index >= 0) view_.qualityName = text(ComboBox4);
  });
  onChange(Edit11, [this] { Edit11Change(); });
  onClick(Button3, [this] { Button3Click(); });
  RadioGroup1_->onClick([this] { view_.viewSettings.confirmBeforeRecording = RadioGroup1_->index() == 0 ? 1 : 0; });
  onClick(CheckBox4, [this] { settings_.stopManualForReservation = checked(CheckBox4) ? 1 : 0; });
}

void ManualPage::shown() {
  RadioGroup1_->setIndex(view_.viewSettings.confirmBeforeRecording ? 0 : 1);
  const options::ProfileChoice choice = options::manualProfile(optionspage::listProfiles(folder_, useVfw_), view_.qualityName);
  setComboItems(ComboBox4, choice.items);
  setComboIndex(ComboBox4, choice.selected);
  view_.qualityName = choice.profile;
  if (text(Edit11) != view_.recordFileName) setText(Edit11, view_.recordFileName);
  SendMessageW(control(CheckBox4), BM_SETCHECK, settings_.stopManualForReservation ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ManualPage::Edit11Change() {
  HWND edit = control(Edit11);
  std::wstring typed(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  typed.resize(static_cast<size_t>(GetWindowTextW(edit, typed.data(), static_cast<int>(typed.size()))));
  // A character code page 932 cannot hold would reach the engine as "?"; the file goes between
  // double quotes, and no path holds "*?<>|": such a name is not stored.
  std::string name;
  if (winui::narrowExactly(typed, name) && options::recordFileNameAllowed(name))
    view_.recordFileName = name;
  else
    setText(Edit11, view_.recordFileName);
}

void ManualPage::Button3Click() {
  winui::OpenFileRequest request;
  request.filter = texts::kAviFilter;
  request.refusal = texts::kPathNotShiftJis;
  request.refusalCaption = texts::kMainCaption;
  const std::optional<std::string> chosen = winui::openFileName(handle(), request);
  if (!chosen) return;
  view_.recordFileName = *chosen;
  setText(Edit11, *chosen);
}
