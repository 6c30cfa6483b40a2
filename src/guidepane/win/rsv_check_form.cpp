#include "rsv_check_form.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>

#include "common/oledate.h"
#include "guidepane/texts/guidepane_texts.h"
#include "guidepane/texts/rsv_check_texts.h"
#include "winui/dialogs.h"
#include "winui/pump.h"
#include "winui/text.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_THICKFRAME;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
constexpr int kClientWidth = 368;
constexpr int kClientHeight = 316;

winui::Form::Options options(HWND owner) {
  winui::Form::Options o;
  o.className = L"TForm4";
  o.caption = texts::kRsvCheckCaption;
  o.style = kStyle;
  o.exStyle = kExStyle;
  o.parent = owner;
  o.bounds = winui::Form::centredBounds(kClientWidth, kClientHeight, kStyle, kExStyle);
  o.messageFont = true;
  return o;
}

// The edit controls need CR LF; a record may end its lines with LF alone.
std::string withCrLf(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

std::string weekdayLabel(double date) {
  if (!tavora::isValidOleDate(date)) return {};
  return std::string(texts::kWeekdayHead) + texts::kWeekdayShort[tavora::oleDayOfWeek(date)] + texts::kWeekdayTail;
}

struct ProcessHandle {
  HANDLE h = nullptr;
  ~ProcessHandle() {
    if (h) CloseHandle(h);
  }
};

bool quitRequested() {
  MSG msg;
  return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

}  // namespace

TForm4::TForm4(HWND owner, defFile& settings, std::string programFolder)
    : Form(options(owner)),
      settings_(settings),
      folder_(std::move(programFolder)),
      startDate_(*this, DateTimePicker1, winui::DateTimePicker::Format::longDate, {8, 8, 212, 22}),
      startTime_(*this, DateTimePicker2, winui::DateTimePicker::Format::timeOnly, {224, 8, 80, 22}),
      endDate_(*this, DateTimePicker3, winui::DateTimePicker::Format::longDate, {8, 36, 212, 22}),
      endTime_(*this, DateTimePicker4, winui::DateTimePicker::Format::timeOnly, {224, 36, 80, 22}) {
  const WPARAM font = SendMessageW(addControl(winui::Control::label, Label01, "", {310, 12, 50, 18}), WM_GETFONT, 0, 0);
  addControl(winui::Control::label, Label02, "", {310, 40, 50, 18});
  for (HWND picker : {startDate_.handle(), startTime_.handle(), endDate_.handle(), endTime_.handle()})
    SendMessageW(picker, WM_SETFONT, font, FALSE);
  for (HWND picker : {startTime_.handle(), endTime_.handle()})  // programs start and end on the minute
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH:mm"));
  addControl(winui::Control::comboBox, ComboBox1, "", {8, 64, 352, 240}, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
  addControl(winui::Control::edit, Edit1, "", {8, 94, 352, 22});
  addControl(winui::Control::edit, Edit2, "", {8, 122, 352, 22});
  addControl(winui::Control::memo, Memo1, "", {8, 150, 352, 120}, ES_READONLY);
  addControl(winui::Control::button, Button1, texts::kRegisterButton, {176, 280, 88, 28}, BS_DEFPUSHBUTTON);
  addControl(winui::Control::button, Button2, texts::kCancelButton, {272, 280, 88, 28});
  onClick(Button1, [this] { Button1Click(); });
  onClick(Button2, [this] { Button2Click(); });

  channels_ = guide::readChannelList(folder_ + "TvTuner.dat");
  setComboItems(ComboBox1, channels_.names);
}

int TForm4::showReservation(const guide::ProgramFields& fields) {
  if (inModal()) return 0;
  fill(fields);
  return Form::showModal();
}

void TForm4::showModal() {
  if (!inModal()) Form::showModal();
}

void TForm4::fill(const guide::ProgramFields& fields) {
  if (inModal()) return;  // a navigation while the dialog is open captures nothing into it
  startDate_.setValue(fields.start);
  startTime_.setValue(fields.start);
  endDate_.setValue(fields.end);
  endTime_.setValue(fields.end);
  setText(Label01, weekdayLabel(fields.start));
  setText(Label02, weekdayLabel(fields.end));
  selectStation(fields.station);
  setText(Edit1, fields.title);
  setText(Edit2, fields.subtitle);
  setText(Memo1, withCrLf(fields.description));
}

void TForm4::selectStation(const std::string& code) {
  station_ = code;
  const guide::StationChoice choice = guide::selectStation(settings_, code, channels_.names.size());
  // Filled before it is shown: the box then belongs to the main window, which it must hold
  // while the capture is half done.
  HWND owner = IsWindowVisible(handle()) ? handle() : GetWindow(handle(), GW_OWNER);
  if (choice.firstTime) winui::messageBox(owner, texts::kFirstStation, MB_OK);
  setComboIndex(ComboBox1, choice.selected);
  remembered_ = choice.remembered;
  cue_ = choice.comboText;
  InvalidateRect(control(ComboBox1), nullptr, TRUE);
}

std::string TForm4::channelText() const {
  const int selected = comboIndex(ComboBox1);
  if (selected < 0) return cue_;
  return selected < static_cast<int>(channels_.names.size()) ? channels_.names[selected] : std::string();
}

double TForm4::pickedDateTime(const winui::DateTimePicker& date, const winui::DateTimePicker& time) {
  tavora::CivilDateTime t = tavora::decodeOleDate(date.value());
  const tavora::CivilDateTime clock = tavora::decodeOleDate(time.value());
  t.hour = clock.hour;
  t.minute = clock.minute;
  t.second = clock.second;
  t.millisecond = 0;
  return tavora::encodeOleDateTime(t);
}

void TForm4::Button1Click() {
  if (busy_) return;
  const double start = pickedDateTime(startDate_, startTime_);
  const double end = pickedDateTime(endDate_, endTime_);
  const int selected = comboIndex(ComboBox1);
  const std::string title = text(Edit1);
  if (const char* fault = guide::checkReservation(start, end, selected, title)) {
    winui::messageBox(handle(), fault, texts::kReservationErrorCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  bool remember = false;
  switch (guide::stationMemoryAction(remembered_, selected)) {
    case guide::StationMemory::remember: remember = true; break;
    case guide::StationMemory::keep: break;
    case guide::StationMemory::ask:
      switch (winui::messageBox(handle(), texts::kChannelMismatch, texts::kReservationQuestionCaption,
                                MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2)) {
        case IDYES: remember = true; break;
        case IDNO: break;
        default: return;  // Cancel: the dialog stays open and nothing is sent
      }
      break;
  }
  if (remember && !station_.empty()) {
    guide::rememberStation(settings_, station_, selected);
    remembered_ = selected;
  }

  // The values stay on screen until planbook has them; the buttons wait meanwhile.
  setBusy(true);
  HWND planbook = findPlanbook();
  if (planbook && !answers(planbook)) {
    // Raising or sending to a window that answers nothing would hang the guide with it.
    winui::messageBox(handle(), texts::kPlanbookNotAnswering, MB_OK | MB_ICONERROR);
    planbook = nullptr;
  } else if (planbook) {
    if (IsIconic(planbook)) ShowWindow(planbook, SW_RESTORE);
    BringWindowToTop(planbook);
    SetForegroundWindow(planbook);
  } else {
    planbook = startPlanbook();
  }
  if (planbook) handOff(planbook, start, end, selected, title);
  setBusy(false);
  if (planbook) endModal(IDOK);
}

bool TForm4::answers(HWND planbook) const {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(planbook, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, wait_.answerMs, &ignored) != 0;
}

void TForm4::Button2Click() {
  if (!busy_) endModal(IDCANCEL);
}

HWND TForm4::findPlanbook() const {
  return FindWindowW(winui::widen(texts::kPlanbookClass).c_str(), winui::widen(texts::kPlanbookCaption).c_str());
}

HWND TForm4::startPlanbook() {
  std::string folder = folder_;
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  const std::wstring file = winui::widen(folder_ + texts::kPlanbookFile);
  const std::wstring directory = winui::widen(folder);
  SHELLEXECUTEINFOW run{};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  run.hwnd = handle();
  run.lpVerb = L"open";
  run.lpFile = file.c_str();
  run.lpDirectory = directory.c_str();
  run.nShow = SW_HIDE;
  ProcessHandle process;
  if (!ShellExecuteExW(&run)) {
    winui::messageBox(handle(), texts::kPlanbookNotStarted, MB_OK | MB_ICONERROR);
    return nullptr;
  }
  process.h = run.hProcess;
  // Its window takes a moment; the user interface stays alive meanwhile.
  const ULONGLONG deadline = GetTickCount64() + wait_.windowMs;
  for (;;) {
    if (HWND window = findPlanbook()) return window;
    const bool ended = process.h && WaitForSingleObject(process.h, 0) == WAIT_OBJECT_0;
    if (ended || GetTickCount64() >= deadline || quitRequested()) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait_.pauseMs, QS_ALLINPUT);
    winui::processMessages();
  }
  if (HWND window = findPlanbook()) return window;
  winui::messageBox(handle(), texts::kPlanbookNoWindow, MB_OK | MB_ICONERROR);
  return nullptr;
}

void TForm4::handOff(HWND planbook, double start, double end, int channel, const std::string& title) {
  std::vector<uint8_t> block = guide::encodeReservation(start, end, channel, title);
  COPYDATASTRUCT data{};
  data.dwData = 0;
  data.cbData = static_cast<DWORD>(block.size());
  data.lpData = block.data();
  DWORD_PTR answer = 0;
  // planbook may ask its user before it answers: wait as long as it is not hung.
  const LRESULT delivered =
      SendMessageTimeoutW(planbook, WM_COPYDATA, reinterpret_cast<WPARAM>(handle()), reinterpret_cast<LPARAM>(&data),
                          SMTO_NORMAL | SMTO_ABORTIFHUNG | SMTO_NOTIMEOUTIFNOTHUNG, wait_.answerMs, &answer);
  if (!delivered)
    winui::messageBox(handle(), texts::kPlanbookUnconfirmed, MB_OK | MB_ICONWARNING);
}

void TForm4::setBusy(bool busy) {
  busy_ = busy;
  setEnabled(Button1, !busy);
  setEnabled(Button2, !busy);
}

void TForm4::drawChannel(const DRAWITEMSTRUCT& item) const {
  std::wstring shown;
  if (item.itemID != static_cast<UINT>(-1)) {
    const LRESULT n = SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0);
    if (n > 0) {
      shown.assign(static_cast<size_t>(n) + 1, L'\0');
      SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(shown.data()));
      shown.resize(static_cast<size_t>(n));
    }
  } else if (item.itemState & ODS_COMBOBOXEDIT) {
    shown = winui::widen(cue_);  // a drop-down list holds no free text: the hint is drawn
  }
  const bool highlighted = (item.itemState & ODS_SELECTED) && item.itemID != static_cast<UINT>(-1);
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(highlighted                              ? COLOR_HIGHLIGHTTEXT
                                     : item.itemID == static_cast<UINT>(-1) ? COLOR_GRAYTEXT
                                                                              : COLOR_WINDOWTEXT));
  HGDIOBJ before = SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  RECT r = item.rcItem;
  r.left += 2;
  DrawTextW(item.hDC, shown.c_str(), static_cast<int>(shown.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(item.hDC, before);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT TForm4::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MEASUREITEM:
      if (wParam == ComboBox1) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 16;
        return TRUE;
      }
      break;
    case WM_DRAWITEM:
      if (wParam == ComboBox1) {
        drawChannel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      Button2Click();
      return 0;
    case WM_SIZE:
      layout(LOWORD(lParam), HIWORD(lParam));
      break;
    default:
      break;
  }
  return defaultHandling(msg, wParam, lParam);
}

void TForm4::layout(int width, int height) {
  const int inner = width > 16 ? width - 16 : 0;
  for (int id : {ComboBox1, Edit1, Edit2}) {
    RECT r{};
    GetWindowRect(control(id), &r);
    MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(control(id), nullptr, 0, 0, inner, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  }
  const int buttonsTop = height > 36 ? height - 36 : 0;
  SetWindowPos(control(Memo1), nullptr, 0, 0, inner, buttonsTop > 160 ? buttonsTop - 160 : 0,
               SWP_NOMOVE | SWP_NOZORDER);
  SetWindowPos(control(Button1), nullptr, width - 192, buttonsTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(control(Button2), nullptr, width - 96, buttonsTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
