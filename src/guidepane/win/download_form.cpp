#include "download_form.h"

#include <commctrl.h>
#include <oleauto.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "guidepane/texts/download_texts.h"
#include "web_browser.h"
#include "winui/dialogs.h"
#include "winui/pump.h"
#include "winui/text.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr auto kExitWait = std::chrono::seconds(4);

winui::Form::Options options(HWND owner) {
  winui::Form::Options o;
  o.className = L"TForm3";
  o.caption = texts::kDownloadCaption;
  o.style = kStyle;
  o.exStyle = kExStyle;
  o.parent = owner;
  o.bounds = winui::Form::centredBounds(636, 470, kStyle, kExStyle);
  o.messageFont = true;
  return o;
}

double todayLocal() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  double date = 0;
  SystemTimeToVariantTime(&now, &date);
  return date;
}

}  // namespace

TForm3::TForm3(HWND owner, defFile& settings, std::string programFolder, MainWindow main,
               guide::BrowserFactory browser)
    : Form(options(owner)), settings_(settings), folder_(std::move(programFolder)), main_(std::move(main)) {
  addControl(winui::Control::label, -1, texts::kBaseAddressLabel, {8, 10, 110, 18});
  addControl(winui::Control::edit, Edit1, "", {120, 8, 508, 22});
  addControl(winui::Control::label, Label6, texts::kAreaLabel, {8, 40, 110, 18});
  addControl(winui::Control::comboBox, ComboBox1, "", {120, 38, 200, 200});
  addControl(winui::Control::label, -1, texts::kStartDateLabel, {8, 68, 200, 18});
  addControl(winui::Control::label, -1, texts::kEndDateLabel, {324, 68, 200, 18});
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (int i = 0; i < 2; ++i) {
    calendars_[i] = CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP,
                                    8 + 316 * i, 88, 308, 160, handle(),
                                    reinterpret_cast<HMENU>(INT_PTR(MonthCalendar1 + i)), instance, nullptr);
    // A month needs what the calendar's font asks for; the two sit side by side.
    RECT need{};
    if (SendMessageW(calendars_[i], MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need)) && need.right > 0)
      SetWindowPos(calendars_[i], nullptr, 0, 0, std::min<LONG>(need.right, 308), std::min<LONG>(need.bottom, 160),
                   SWP_NOMOVE | SWP_NOZORDER);
  }
  addControl(winui::Control::button, Button3, texts::kStartDownload, {8, 256, 160, 28});
  addControl(winui::Control::button, Button2, texts::kBaseFromShownPage, {176, 256, 452, 28});
  HWND check = addControl(winui::Control::checkBox, CheckBox1, texts::kDownloadRecords, {8, 288, 300, 20});
  ShowWindow(check, SW_HIDE);
  addControl(winui::Control::groupBox, GroupBox1, texts::kProgressGroup, {8, 312, 620, 116});
  addControl(winui::Control::label, -1, texts::kFileBeingFetched, {16, 330, 300, 18});
  addControl(winui::Control::label, Label8, "", {16, 348, 604, 18}, SS_NOPREFIX | SS_ENDELLIPSIS);
  addControl(winui::Control::label, -1, texts::kHtmlFiles, {16, 372, 120, 18});
  addControl(winui::Control::progressBar, ProgressBar1, "", {140, 372, 480, 18});
  addControl(winui::Control::label, -1, texts::kImageFiles, {16, 398, 120, 18});
  addControl(winui::Control::progressBar, ProgressBar2, "", {140, 398, 480, 18});
  addControl(winui::Control::button, Button1, texts::kCloseDownload, {508, 436, 120, 28});
  // The log lies outside the visible area, as does the browser that loads the pages: hidden and
  // read-only, so that neither Tab nor a key reaches it.
  ShowWindow(addControl(winui::Control::memo, Memo1, "", {700, 0, 400, 300}, ES_READONLY), SW_HIDE);
  onClick(Button1, [this] { Button1Click(); });
  onClick(Button2, [this] { Button2Click(); });
  onClick(Button3, [this] { Button3Click(); });
  onChange(ComboBox1, [this] { ComboBox1Click(); });

  calls_ = std::make_unique<guide::UiCallWindow>();
  queue_ = std::make_unique<guide::dlCtrl>(*this, guide::windowsDownloadPorts(*calls_, handle()));
  walk_ = std::make_unique<guide::TableDownload>(*this, *queue_, folder_, guide::windowsDownloadFiles());
  guide::BrowserEvents events;
  events.documentComplete = [this](const std::string& url, bool topLevel) {
    if (!browser_) return;
    std::unique_ptr<guide::DomDocument> document = browser_->Document();
    if (document) walk_->documentComplete(topLevel, url, *document);
  };
  browser_ = (browser ? browser : guide::makeWebBrowser)(handle(), std::move(events));
  if (browser_) browser_->setBounds({700, 300, 400, 300});

  setText(Edit1, settings_.baseAddress);
  setChecked(CheckBox1, settings_.header.downloadRecords != 0);
  const double start = guide::defaultStartDate(main_.today ? main_.today() : todayLocal());
  setCalendarDate(MonthCalendar1, start);
  setCalendarDate(MonthCalendar2, start + 6);

  areas_ = guide::loadAreaLists(folder_);
  setComboItems(ComboBox1, areas_.names);
  ShowWindow(control(ComboBox1), areas_.shown ? SW_SHOW : SW_HIDE);
  ShowWindow(control(Label6), areas_.shown ? SW_SHOW : SW_HIDE);
}

TForm3::~TForm3() {
  FormDestroy();
  // The workers may still wait on their synchronised calls: serve them while they end.
  const bool ended = queue_->shutdown([] { winui::processMessages(); Sleep(5); }, kExitWait);
  browser_.reset();
  walk_.reset();
  if (!ended) {
    // A worker still blocked on a server that ignores its closed handles (Wine's WinINet ends
    // the call only when the answer comes) keeps the queue and its call window; the program is
    // ending, and its calls no longer reach this dialog.
    static_cast<void>(queue_.release());
    static_cast<void>(calls_.release());
    return;
  }
  queue_.reset();
  calls_.reset();
}

void TForm3::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  storeSettings();
}

void TForm3::storeSettings() {
  settings_.baseAddress = text(Edit1);
  settings_.header.downloadRecords = checked(CheckBox1) ? 1 : 0;
}

void TForm3::Button2Click() {
  const std::string address = main_.addressText ? main_.addressText() : std::string();
  if (address.empty()) return;
  if (auto base = guide::baseAddressOf(address)) setText(Edit1, *base);
}

void TForm3::Button3Click() {
  walk_->startOrAbort(text(Edit1), calendarDate(MonthCalendar1), calendarDate(MonthCalendar2));
}

void TForm3::ComboBox1Click() {
  if (auto address = areas_.addressAt(comboIndex(ComboBox1))) setText(Edit1, *address);
}

double TForm3::calendarDate(int id) const {
  SYSTEMTIME day{};
  SendMessageW(calendars_[id - MonthCalendar1], MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
  day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
  double date = 0;
  SystemTimeToVariantTime(&day, &date);
  return date;
}

void TForm3::setCalendarDate(int id, double date) {
  SYSTEMTIME day{};
  if (VariantTimeToSystemTime(date, &day))
    SendMessageW(calendars_[id - MonthCalendar1], MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
}

void TForm3::navigate(const std::string& address) {
  if (browser_) browser_->Navigate2(address);
}

void TForm3::stopBrowser() {
  if (browser_) browser_->Stop();
}

void TForm3::message(const std::string& text) {
  if (visible()) SetForegroundWindow(handle());
  winui::messageBox(handle(), text, MB_OK);
}

void TForm3::setDownloadingCaption(bool downloading) {
  setText(Button3, downloading ? texts::kStopDownload : texts::kStartDownload);
}

// Right-aligned when wider than the label, so that the end of a long address stays in view.
void TForm3::showAddress(const std::string& address) {
  HWND label = control(Label8);
  const std::wstring wide = winui::widen(address);
  RECT box;
  GetClientRect(label, &box);
  SIZE extent{};
  if (HDC dc = GetDC(label)) {
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
  }
  LONG_PTR style = GetWindowLongPtrW(label, GWL_STYLE) & ~LONG_PTR(SS_RIGHT | SS_ENDELLIPSIS);
  if (extent.cx >= box.right - box.left) style |= SS_RIGHT;
  SetWindowLongPtrW(label, GWL_STYLE, style);
  setText(Label8, address);
  InvalidateRect(label, nullptr, TRUE);
}

void TForm3::setPageProgress(int position, int maximum) {
  setProgressRange(ProgressBar1, maximum);
  setProgressPosition(ProgressBar1, position);
}

void TForm3::setImageProgress(int position, int maximum) {
  setProgressRange(ProgressBar2, maximum);
  setProgressPosition(ProgressBar2, position);
}

void TForm3::log(const std::string& line) {
  HWND memo = control(Memo1);
  const std::wstring wide = winui::widen(line + "\r\n");
  const int end = GetWindowTextLengthW(memo);
  SendMessageW(memo, EM_SETSEL, end, end);
  SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TForm3::updateDateButtons() {
  if (main_.updateDateButtons) main_.updateDateButtons();
}

LRESULT TForm3::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == guide::DL_THREAD_DONE) {
    finishDownloadIfIdle();
    return 0;
  }
  if (msg == WM_CLOSE) {
    hide();
    return 0;
  }
  // Destroyed with the main window, before the settings are written; the hidden browser is
  // closed while its windows, children of this one, still live.
  if (msg == WM_DESTROY) {
    FormDestroy();
    browser_.reset();
  }
  return Form::handleMessage(msg, wParam, lParam);
}
