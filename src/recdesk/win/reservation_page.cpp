#include "reservation_page.h"

#include "page_layout.h"
#include "recdesk/core/settings_rules.h"
#include "recdesk/texts/options_pages_texts.h"
#include "recdesk/texts/recdesk_texts.h"
#include "winui/open_file_dialog.h"

namespace {

using winui::Control;

constexpr int kFieldWidth = 50;

}  // namespace

ReservationPage::ReservationPage(HWND parent, RECT bounds, timerIni& settings, FolderChooser chooseFolder)
    : winui::Form(optionspage::childOptions(L"TavoraReservationPage", parent, bounds)),
      settings_(settings),
      chooseFolder_(std::move(chooseFolder)) {
  int label = kLabels;
  auto text = [&](const char* caption, RECT at) { addControl(Control::label, label++, caption, at); };
  auto group = [&](const char* caption, RECT at) { addControl(Control::button, label++, caption, at, BS_GROUPBOX); };

  group(texts::kNoticeGroup, {8, 0, 404, 64});
  addControl(Control::checkBox, CheckBox1, texts::kNoticeOn, {18, 16, 130, 20});
  addControl(Control::edit, Edit2, "", {150, 15, kFieldWidth, 21}, ES_RIGHT);
  text(texts::kNoticeSecondsTail, {206, 18, 150, 16});
  addControl(Control::checkBox, CheckBox5, texts::kNoticeBeep, {18, 39, 250, 20});

  group(texts::kFolderGroup, {8, 66, 404, 46});
  addControl(Control::edit, Edit6, "", {18, 83, 350, 21});
  addControl(Control::button, Button11, texts::kBrowse, {374, 83, 28, 21});

  group(texts::kStartEndGroup, {8, 114, 404, 188});
  addControl(Control::checkBox, CheckBox3, texts::kCloseViewAfter, {18, 130, 380, 20});
  addControl(Control::checkBox, CheckBox2, texts::kWakeUpSwitch, {18, 152, 380, 20});
  text(texts::kWakeUpPlace, {18, 178, 140, 16});
  addControl(Control::edit, Edit5, "", {160, 175, 208, 21});
  addControl(Control::button, Button2, texts::kBrowse, {374, 175, 28, 21});
  text(texts::kEarlyStartHead, {18, 206, 170, 16});
  addControl(Control::edit, Edit4, "", {190, 203, kFieldWidth, 21}, ES_RIGHT);
  text(texts::kEarlyStartTail, {246, 206, 150, 16});
  text(texts::kWakeLeadHead, {18, 230, 270, 16});
  addControl(Control::edit, Edit3, "", {290, 227, kFieldWidth, 21}, ES_RIGHT);
  text(texts::kWithinSeconds, {346, 230, 56, 16});
  text(texts::kPowerOffDelayHead, {18, 254, 270, 16});
  addControl(Control::edit, Edit1, "", {290, 251, kFieldWidth, 21}, ES_RIGHT);
  text(texts::kWithinSeconds, {346, 254, 56, 16});
  text(texts::kCountdownHead, {18, 278, 270, 16});
  addControl(Control::edit, Edit12, "", {290, 275, kFieldWidth, 21}, ES_RIGHT);
  text(texts::kCountdownTail, {346, 278, 56, 16});

  optionspage::setReadOnly(control(Edit6));
  optionspage::setReadOnly(control(Edit5));
  for (int edit : {Edit2, Edit3, Edit4, Edit1, Edit12}) optionspage::selectAllOnClick(control(edit));
  optionspage::applyFont(handle());

  onClick(CheckBox1, [this] { CheckBox1Click(); });
  onClick(CheckBox5, [this] { settings_.beepOnNotice = checked(CheckBox5) ? 1 : 0; });
  onClick(CheckBox3, [this] { settings_.closeViewAfterRecording = checked(CheckBox3) ? 1 : 0; });
  onClick(CheckBox2, [this] { CheckBox2Click(); });
  onClick(Button11, [this] { Button11Click(); });
  onClick(Button2, [this] { Button2Click(); });
  onChange(Edit2, [this] { secondsChange(Edit2, settings_.noticeSeconds); });
  onChange(Edit3, [this] { secondsChange(Edit3, settings_.wakeLeadSeconds); });
  onChange(Edit1, [this] { secondsChange(Edit1, settings_.powerOffDelaySeconds); });
  onChange(Edit12, [this] { secondsChange(Edit12, settings_.powerOffCountdown); });
  onChange(Edit4, [this] { Edit4Change(); });
}

void ReservationPage::shown() {
  // Check states are set without their click: the click handlers store what is already stored.
  SendMessageW(control(CheckBox1), BM_SETCHECK, settings_.noticeOn ? BST_CHECKED : BST_UNCHECKED, 0);
  setEnabled(Edit2, settings_.noticeOn != 0);
  showNumber(Edit2, settings_.noticeSeconds);
  SendMessageW(control(CheckBox5), BM_SETCHECK, settings_.beepOnNotice ? BST_CHECKED : BST_UNCHECKED, 0);
  setText(Edit6, settings_.folder);
  SendMessageW(control(CheckBox3), BM_SETCHECK, settings_.closeViewAfterRecording ? BST_CHECKED : BST_UNCHECKED, 0);
  const bool wakeUp = !settings_.wakeUpOff();
  SendMessageW(control(CheckBox2), BM_SETCHECK, wakeUp ? BST_CHECKED : BST_UNCHECKED, 0);
  setText(Edit5, wakeUp ? settings_.wakeUpProgram : std::string());
  setEnabled(Button2, wakeUp);
  // Setting the text runs the early-start rule, so the stored value becomes the shown seconds.
  setText(Edit4, options::earlyStartText(settings_.earlyStart));
  showNumber(Edit3, settings_.wakeLeadSeconds);
  showNumber(Edit1, settings_.powerOffDelaySeconds);
  showNumber(Edit12, settings_.powerOffCountdown);
}

void ReservationPage::CheckBox1Click() {
  settings_.noticeOn = checked(CheckBox1) ? 1 : 0;
  setEnabled(Edit2, settings_.noticeOn != 0);
  if (settings_.noticeOn) showNumber(Edit2, settings_.noticeSeconds);
}

void ReservationPage::CheckBox2Click() {
  if (checked(CheckBox2)) {
    // The stored path changes only when a program is chosen.
    setText(Edit5, texts::kWakeUpPrompt);
    setEnabled(Button2, true);
  } else {
    setText(Edit5, "");
    setEnabled(Button2, false);
    settings_.wakeUpProgram.assign(1, '@');  // off
  }
}

void ReservationPage::Button11Click() {
  if (!chooseFolder_) return;
  const std::optional<std::string> chosen = chooseFolder_(handle(), texts::kFolderGroup, texts::kMyComputer);
  if (!chosen) return;
  settings_.folder = options::folderWithBackslash(*chosen);
  setText(Edit6, settings_.folder);
}

void ReservationPage::Button2Click() {
  winui::OpenFileRequest request;
  request.title = texts::kWakeUpTitle;
  request.filter = texts::kExeFilter;
  request.pathMustExist = true;
  request.noNetworkButton = true;
  request.keepCurrentFolder = true;
  request.refusal = texts::kPathNotShiftJis;
  request.refusalCaption = texts::kMainCaption;
  const std::optional<std::string> chosen = winui::openFileName(handle(), request);
  if (!chosen) return;
  settings_.wakeUpProgram = *chosen;
  setText(Edit5, *chosen);
}

void ReservationPage::Edit4Change() {
  const std::optional<double> days = options::earlyStartDays(text(Edit4));
  if (days)
    settings_.earlyStart = *days;
  else
    setText(Edit4, options::earlyStartText(settings_.earlyStart));
}

void ReservationPage::secondsChange(int edit, uint16_t& field) {
  const std::optional<uint16_t> seconds = options::secondCount(text(edit));
  if (seconds)
    field = *seconds;
  else
    showNumber(edit, field);
}

void ReservationPage::showNumber(int edit, uint16_t value) {
  const std::string shown = std::to_string(value);
  if (text(edit) != shown) setText(edit, shown);
}
