#include "main_form.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <ctime>

#include "common/fileio.h"
#include "common/oledate.h"
#include "guidepane/core/divide_url.h"
#include "guidepane/core/offline_records.h"
#include "guidepane/core/table_scrape.h"
#include "guidepane/texts/guidepane_texts.h"
#include "guidepane/texts/shell_texts.h"
#include "program_fetch.h"
#include "tool_glyphs.h"
#include "web_browser.h"
#include "winui/bar_panel.h"
#include "winui/dialogs.h"
#include "winui/guard.h"
#include "winui/text.h"

namespace {

using winui::Control;

constexpr int kZoom = 19;            // OLECMDID_ZOOM
constexpr int kDontPrompt = 2;       // OLECMDEXECOPT_DONTPROMPTUSER
constexpr int kBarHeight = 30;

// Where the four panels sit in the freshly built window (ControlBar1's client area).
constexpr RECT kPanel3{0, 0, 0, kBarHeight};  // its width follows the tool bar
constexpr RECT kPanel5{0, 0, 330, kBarHeight};  // right of Panel3
constexpr RECT kPanel4{0, kBarHeight + 2, 660, 28};
constexpr RECT kPanel2A{0, kBarHeight + 2, 664, 84};

winui::Form::Options mainOptions() {
  winui::Form::Options o;
  o.className = L"TavoraGuideMain";
  o.caption = texts::kGuideTitle;
  o.bounds = {CW_USEDEFAULT, CW_USEDEFAULT, 679, 471};
  o.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  o.messageFont = true;
  return o;
}

double clockNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return tavora::encodeOleDateTime({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds});
}

COLORREF colourOf(guide::Rgb c) { return RGB(c.r, c.g, c.b); }

std::string sizeCaption(int size) { return texts::kTextSizeItems[4 - size]; }

}  // namespace

TForm1::TForm1(GuideEnvironment environment)
    : Form(mainOptions()),
      env_(std::move(environment)),
      navigator_(env_.programFolder, [](const std::string& p) { return tavora::fileExists(p); }, 0),
      hints_(handle()) {
  if (!env_.now) env_.now = clockNow;
  if (!env_.browser) env_.browser = guide::makeWebBrowser;
  face_ = GetSysColorBrush(COLOR_BTNFACE);
  controlBar_ = winui::createBarPanel(handle(), ControlBar1, {0, 0, 679, 2 * kBarHeight + 4}, false);
  buildToolBar();
  buildAddressBar();
  buildFavouritesBar();
  buildNavigator();
  panel1_ = winui::createBarPanel(handle(), Panel1, {0, 70, 679, 300}, false);
  guide::BrowserEvents events;
  events.beforeNavigate2 = [this](const std::string& url, bool& cancel) { CppWebBrowser1BeforeNavigate2(url, cancel); };
  events.documentComplete = [this](const std::string& url, bool top) { CppWebBrowser1DocumentComplete(url, top); };
  events.progressChange = [this](long p, long max) { CppWebBrowser1ProgressChange(p, max); };
  browser_ = env_.browser(panel1_, std::move(events));

  // 1. The settings, with the panels' design places as their defaults.
  auto pos = [](HWND w) {
    const RECT r = winui::placeOf(w);
    return PanelPos{r.left, r.top};
  };
  settings_ = std::make_unique<defFile>(env_.programFolder + "guidepane.dat",
                                        DesignPanels{pos(panel3_), pos(panel5_), pos(panel4_), pos(panel2A_)});
  const GuideHeader& h = settings_->header;
  // 3. The mode.
  mainBar_->setDown(h.online ? ToolButton1_A1 : ToolButton1_A2, true);
  if (h.online) ToolButton1_A1Click();
  else ToolButton1_A2Click();
  // 5. The navigator's date.
  navigator_.pickerDate = now();
  picker_->setValue(navigator_.pickerDate);
  // 6. The text size and its check mark.
  textSize_ = h.textSize;
  for (int i = 0; i < 5; ++i) textMenu_.setChecked(N1 + i, i == 4 - textSize_);
  // 7. The panels.
  for (auto [panel, p] : {std::pair{panel3_, h.panel3}, {panel5_, h.panel5}, {panel4_, h.panel4}, {panel2A_, h.panel2A}}) {
    const RECT r = winui::placeOf(panel);
    MoveWindow(panel, std::max(0, p.left), std::max(0, p.top), r.right, r.bottom, FALSE);
  }
  // 8, 9. The placement and the state.
  restorePlacement();
  slotEndHour_ = 0;
  layout();
}

TForm1::~TForm1() {
  FormDestroy();
  browser_.reset();  // when the window never got its WM_DESTROY
}

double TForm1::now() const { return env_.now(); }

HWND TForm1::make(Control kind, int id, std::string_view text, HWND panel, RECT bounds, DWORD style) {
  HWND child = addControl(kind, id, text, bounds, style);
  winui::placeOnPanel(panel, child, bounds);
  return child;
}

void TForm1::buildToolBar() {
  using winui::ToolBar;
  using guide::Glyph;
  panel3_ = winui::createBarPanel(controlBar_, Panel3, kPanel3, true);
  mainBar_ = std::make_unique<ToolBar>(
      *this, panel3_, ToolBarMain, POINT{winui::kGripWidth + 2, 2},
      std::vector<ToolBar::Button>{
          {ToolButton1_A1, guide::glyph(Glyph::online), texts::kHintOnline, ToolBar::Kind::checkGroup},
          {ToolButton1_A2, guide::glyph(Glyph::offline), texts::kHintOffline, ToolBar::Kind::checkGroup},
          {ToolButton8, guide::glyph(Glyph::download), texts::kHintDownload},
          {ToolButton1, guide::glyph(Glyph::back), texts::kHintBack},
          {ToolButton3, guide::glyph(Glyph::forward), texts::kHintForward},
          {ToolButton4, guide::glyph(Glyph::refresh), texts::kHintRefresh},
          {ToolButton5, guide::glyph(Glyph::stop), texts::kHintStop},
          {ToolButton11, guide::glyph(Glyph::textSize), texts::kHintTextSize, ToolBar::Kind::dropDown}});
  const SIZE s = mainBar_->size();
  MoveWindow(panel3_, 0, 0, s.cx + winui::kGripWidth + 6, kBarHeight, FALSE);
  for (int i = 0; i < 5; ++i) textMenu_.addRadio(N1 + i, texts::kTextSizeItems[i]);

  onClick(ToolButton1_A1, [this] { ToolButton1_A1Click(); });
  onClick(ToolButton1_A2, [this] { ToolButton1_A2Click(); });
  onClick(ToolButton8, [this] { ToolButton8Click(); });
  onClick(ToolButton1, [this] { browser_->GoBack(); });
  onClick(ToolButton3, [this] { browser_->GoForward(); });
  onClick(ToolButton4, [this] { browser_->Refresh(); });
  onClick(ToolButton5, [this] { browser_->Stop(); });
  onClick(ToolButton11, [this] { ToolButton11Click(); });
  mainBar_->onDropDown([this](int, POINT at) {
    if (const UINT chosen = textMenu_.popUp(handle(), at)) textSizeItemClick(static_cast<int>(chosen) - N1);
  });
}

void TForm1::buildAddressBar() {
  panel4_ = winui::createBarPanel(controlBar_, Panel4, kPanel4, true);
  make(Control::label, AddressLabel, texts::kAddressLabel, panel4_, {12, 6, 52, 18});
  // An editable combo: the address bar with its history.
  CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 66,
                  3, 420, 200, panel4_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ComboBox2)), GetModuleHandleW(nullptr),
                  nullptr);
  make(Control::button, SpeedButton1, texts::kGoButton, panel4_, {490, 2, 44, 23});
  make(Control::progressBar, ProgressBar1, "", panel4_, {540, 6, 112, 16}, PBS_SMOOTH);
  onClick(SpeedButton1, [this] { SpeedButton1Click(); });
  onChange(ComboBox2, [this] { ComboBox2Click(); });
}

void TForm1::buildFavouritesBar() {
  using winui::ToolBar;
  const RECT p3 = winui::placeOf(panel3_);
  panel5_ = winui::createBarPanel(controlBar_, Panel5, {p3.right + 2, 0, kPanel5.right, kPanel5.bottom}, true);
  make(Control::label, FavouritesLabel, texts::kFavouritesLabel, panel5_, {12, 7, 64, 18});
  HWND list = make(Control::comboBox, ComboBox1, "", panel5_, {78, 3, 210, 200});
  hints_.add(list, texts::kHintFavouritesList);
  favouritesBar_ = std::make_unique<ToolBar>(
      *this, panel5_, ToolBarFavourites, POINT{292, 2},
      std::vector<ToolBar::Button>{{ToolButton7, guide::glyph(guide::Glyph::favourites), texts::kHintFavouritesDialog}});
  onChange(ComboBox1, [this] { ComboBox1Click(); });
  onClick(ToolButton7, [this] { ToolButton7Click(); });
}

void TForm1::buildNavigator() {
  panel2A_ = winui::createBarPanel(controlBar_, Panel2A, kPanel2A, true);
  const int h = 78, top = 3;
  make(Control::button, BitBtn7, texts::kPreviousWeek, panel2A_, {10, top, 34, h}, BS_MULTILINE);
  make(Control::button, BitBtn1, "", panel2A_, {46, top, 50, h}, BS_OWNERDRAW);
  HWND panel2B = winui::createBarPanel(panel2A_, Panel2B, {98, top, 258, h}, false);
  HWND prev = make(Control::button, SpeedButton2, texts::kPreviousGlyph, panel2B, {0, 2, 24, 24});
  HWND nowButton = make(Control::button, SpeedButton4, texts::kNowGlyph, panel2B, {25, 2, 24, 24});
  picker_ = std::make_unique<winui::DateTimePicker>(*this, DateTimePicker1, winui::DateTimePicker::Format::longDate,
                                                    RECT{50, 2, 144, 24});
  winui::placeOnPanel(panel2B, picker_->handle(), {50, 2, 144, 24});
  make(Control::label, Label1, "", panel2B, {196, 6, 36, 18}, SS_CENTER);
  HWND next = make(Control::button, SpeedButton3, texts::kNextGlyph, panel2B, {233, 2, 24, 24});
  hints_.add(prev, texts::kHintPreviousTable);
  hints_.add(nowButton, texts::kHintNowTable);
  hints_.add(picker_->handle(), texts::kHintPickerDate);
  hints_.add(next, texts::kHintNextTable);
  for (int i = 0; i < guide::kSlotCount; ++i) {
    HWND slot = make(Control::button, ToolButton2_02 + i, guide::slotText(i), panel2B, {i * 28 + 2, 40, 27, 26},
                     BS_CHECKBOX | BS_PUSHLIKE);
    hints_.add(slot, texts::kSlotHints[i]);
    onClick(ToolButton2_02 + i, [this, i] { showTableSlot(i); });
  }
  for (int d = 0; d < 5; ++d) make(Control::button, BitBtn2 + d, "", panel2A_, {358 + d * 52, top, 50, h}, BS_OWNERDRAW);
  make(Control::button, BitBtn8, texts::kNextWeek, panel2A_, {620, top, 34, h}, BS_MULTILINE);

  onClick(BitBtn7, [this] { moveTable(-7, 0); });
  onClick(BitBtn1, [this] { moveTable(-1, 0); });
  for (int d = 0; d < 5; ++d) onClick(BitBtn2 + d, [this, d] { moveTable(d + 1, 0); });
  onClick(BitBtn8, [this] { moveTable(7, 0); });
  onClick(SpeedButton2, [this] { moveTable(0, -1); });
  onClick(SpeedButton3, [this] { moveTable(0, 1); });
  onClick(SpeedButton4, [this] { SpeedButton4Click(); });
  picker_->onChange([this] { DateTimePicker1Change(); });
}

// A panel dragged by its grip stays inside the bar: never above or left of it, and at most one
// row below the lowest other panel.
void TForm1::keepInBar(HWND panel) {
  if (!panel) return;
  int lowest = 0;
  for (HWND other : {panel3_, panel4_, panel5_, panel2A_})
    if (other != panel && IsWindowVisible(other)) lowest = std::max(lowest, static_cast<int>(winui::placeOf(other).top));
  RECT bar;
  GetClientRect(controlBar_, &bar);
  const RECT r = winui::placeOf(panel);
  const int left = std::clamp(static_cast<int>(r.left), 0, std::max(0, static_cast<int>(bar.right - kBarHeight)));
  const int top = std::clamp(static_cast<int>(r.top), 0, lowest + kBarHeight + 2);
  if (left != r.left || top != r.top) MoveWindow(panel, left, top, r.right, r.bottom, TRUE);
}

void TForm1::layout() {
  RECT client;
  GetClientRect(handle(), &client);
  int bottom = kBarHeight;
  for (HWND panel : {panel3_, panel4_, panel5_, panel2A_}) {
    if (!IsWindowVisible(panel)) continue;
    const RECT r = winui::placeOf(panel);
    bottom = std::max(bottom, static_cast<int>(r.top + r.bottom));
  }
  MoveWindow(controlBar_, 0, 0, client.right, bottom + 2, TRUE);
  const RECT area{0, bottom + 2, client.right, std::max(0L, client.bottom - bottom - 2)};
  MoveWindow(panel1_, area.left, area.top, area.right, area.bottom, TRUE);
  browser_->setBounds({0, 0, area.right, area.bottom});
}

// The stored rectangle is the window's normal place in workspace coordinates, as the placement
// gives it; one that lies off every monitor is not applied, so the window opens where it can be
// seen.
void TForm1::restorePlacement() {
  const GuideHeader& h = settings_->header;
  pendingState_ = h.windowState;
  if (h.width == 0) return;
  const RECT stored{h.left, h.top, h.left + h.width, h.top + h.height};
  if (!MonitorFromRect(&stored, MONITOR_DEFAULTTONULL)) return;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(handle(), &placement);
  placement.rcNormalPosition = stored;
  placement.showCmd = SW_HIDE;
  SetWindowPlacement(handle(), &placement);
}

void TForm1::showStored() {
  ShowWindow(handle(), pendingState_ == 2 ? SW_SHOWMAXIMIZED : pendingState_ == 1 ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  UpdateWindow(handle());
}

void TForm1::storeLayout() {
  GuideHeader& h = settings_->header;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (GetWindowPlacement(handle(), &placement)) {
    const RECT& r = placement.rcNormalPosition;
    h.left = r.left;
    h.top = r.top;
    h.width = r.right - r.left;
    h.height = r.bottom - r.top;
  } else {
    RECT r;
    GetWindowRect(handle(), &r);
    h.left = r.left;
    h.top = r.top;
    h.width = r.right - r.left;
    h.height = r.bottom - r.top;
  }
  h.windowState = IsZoomed(handle()) ? 2 : IsIconic(handle()) ? 1 : 0;
  auto pos = [](HWND w) {
    const RECT r = winui::placeOf(w);
    return PanelPos{r.left, r.top};
  };
  h.panel3 = pos(panel3_);
  h.panel5 = pos(panel5_);
  h.panel4 = pos(panel4_);
  h.panel2A = pos(panel2A_);
  h.online = mainBar_->down(ToolButton1_A1) ? 1 : 0;
  h.textSize = textSize_;
}

void TForm1::FormShow() { SpeedButton4Click(); }

bool TForm1::FormCloseQuery() {
  if (download_ && download_->downloading()) {
    winui::messageBox(handle(), texts::kDownloadRunning, texts::kCloseErrorCaption, MB_OK | MB_ICONWARNING);
    return false;
  }
  return true;
}

// The settings are written once the layout is stored; the destructor of the settings writes
// them again, unchanged.
void TForm1::FormDestroy() {
  if (destroyed_ || !settings_) return;
  destroyed_ = true;
  storeLayout();
  settings_->save();
}

void TForm1::ToolButton1_A1Click() {
  ShowWindow(panel2A_, SW_HIDE);
  ShowWindow(panel4_, SW_SHOW);
  ShowWindow(panel5_, SW_SHOW);
  setCaption(texts::kGuideTitle);
  online_ = true;
  layout();
}

void TForm1::ToolButton1_A2Click() {
  updateDateButtons();
  ShowWindow(panel4_, SW_HIDE);
  ShowWindow(panel5_, SW_HIDE);
  ShowWindow(panel2A_, SW_SHOW);
  setCaption(texts::kGuideTitle);
  navigator_.enterOffline();
  // No slot is shown now: the previous and next buttons wait for one.
  setEnabled(SpeedButton2, false);
  setEnabled(SpeedButton3, false);
  online_ = false;
  layout();
}

// The download dialog comes with the downloader; until then there is nothing to open.
void TForm1::ToolButton8Click() {
  if (download_) download_->show();
}

void TForm1::ToolButton11Click() {
  if (!browser_->Document()) return;
  nextTextSize();
  applyTextSize();
}

void TForm1::textSizeItemClick(int item) {
  textSize_ = 4 - item;
  applyTextSize();
}

void TForm1::nextTextSize() { textSize_ = textSize_ + 1 > 4 ? 0 : textSize_ + 1; }

void TForm1::applyTextSize() {
  for (int i = 0; i < 5; ++i) textMenu_.setChecked(N1 + i, i == 4 - textSize_);
  browser_->ExecWB(kZoom, kDontPrompt, textSize_);
}

void TForm1::SpeedButton1Click() {
  HWND combo = control(ComboBox2);
  const std::wstring text = winui::widen(this->text(ComboBox2));
  SendMessageW(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  navigateToAddress();
}

void TForm1::ComboBox2KeyDown(WPARAM key) {
  if (key == VK_RETURN) SpeedButton1Click();
}

void TForm1::ComboBox2Click() {
  HWND combo = control(ComboBox2);
  const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index < 0) return;
  // The selection's text reaches the edit only after this notification.
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  std::wstring item(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()));
  item.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
  SetWindowTextW(combo, item.c_str());
  navigateToAddress();
}

void TForm1::navigateToAddress() {
  const std::string address = text(ComboBox2);
  if (!address.empty()) browser_->Navigate2(address);
}

void TForm1::setFavouriteNames(const std::vector<std::string>& names) { setComboItems(ComboBox1, names); }

void TForm1::ComboBox1Click() {
  if (!favourites_) return;
  const std::string address = favourites_->addressAt(comboIndex(ComboBox1));
  if (address.empty()) return;
  setText(ComboBox2, address);
  navigateToAddress();
}

void TForm1::ToolButton7Click() {
  if (favourites_) favourites_->showModal();
}

bool TForm1::currentAddressAndTitle(std::string& address, std::string& title) const {
  const std::string shown = text(ComboBox2);
  if (shown.empty()) return false;
  address = shown;
  title = browser_->LocationName();
  return true;
}

// Only the top-level document names the page: a frame that completes after it must not set the
// address bar that favourites and downloads read, nor take the first text size.
void TForm1::CppWebBrowser1DocumentComplete(const std::string& url, bool topLevel) {
  if (!topLevel) return;
  setText(ComboBox2, url);
  setCaption(std::string(texts::kGuideTitle) + texts::kCaptionSeparator + browser_->LocationName());
  if (!firstDocumentSeen_) {
    applyTextSize();
    firstDocumentSeen_ = true;
  }
}

void TForm1::CppWebBrowser1ProgressChange(long progress, long progressMax) {
  setProgressRange(ProgressBar1, static_cast<int>(progressMax / 2));
  setProgressPosition(ProgressBar1, static_cast<int>(std::max(progress, 0L) / 2));
}

void TForm1::CppWebBrowser1BeforeNavigate2(const std::string& url, bool& cancel) {
  const bool noTable = !reservationCheck_ || reservationCheck_->noChannelTable();
  switch (guide::beforeNavigate(noTable, url)) {
    case guide::Navigation::proceed:
      return;
    case guide::Navigation::refuseNoChannelTable:
      winui::messageBox(handle(), texts::kNoChannelTable, texts::kNoChannelTableCaption, MB_OK | MB_ICONWARNING);
      return;
    case guide::Navigation::capture:
      cancel = true;
      // A navigation while the check is open (a page's script) starts no second capture.
      if (!capturing_) capture(url);
      return;
  }
}

void TForm1::capture(const std::string& url) {
  capturing_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{capturing_};
  guide::ProgramFields fields;
  bool found = online_ ? fetchProgramInfo(url, fields) : lookupSavedProgramInfo(url, fields);
  if (!found) {
    std::unique_ptr<guide::DomDocument> document = browser_->Document();
    if (!document) return;
    const guide::ScrapeResult scraped = guide::scrapeProgramFromTable(
        *document, url, now(), guide::listingHostOf(settings_->baseAddress), slotEndHour_);
    for (const char* message : scraped.messages) winui::messageBox(handle(), message, MB_OK);
    if (!scraped.fields) return;  // the scrape stopped: nothing to check
    fields = *scraped.fields;
  }
  reservationCheck_->fill(fields);
  reservationCheck_->showModal();
}

bool TForm1::fetchProgramInfo(const std::string& url, guide::ProgramFields& fields) {
  const guide::FetchedRecord fetched = guide::fetchProgramRecord(url);
  if (fetched.failure) {
    winui::messageBox(handle(), fetched.failure, MB_OK);
    return false;
  }
  // A record the core cannot read (an error page, a cut answer) leads to the scrape.
  auto parsed = guide::parseProgramInfo(url, fetched.record);
  if (!parsed) return false;
  fields = *parsed;
  return true;
}

bool TForm1::lookupSavedProgramInfo(const std::string& url, guide::ProgramFields& fields) {
  const auto path =
      guide::offlineRecordPath(browser_->LocationURL(), env_.programFolder, divideUrl(url).getExtraInfo());
  if (!path) return false;
  const auto bytes = tavora::readWholeFile(*path);
  if (!bytes || bytes->empty()) return false;
  std::string record(bytes->begin(), bytes->end());
  record.resize(std::min(record.size(), record.find('\0')));
  auto parsed = guide::parseProgramInfo(url, record);
  if (!parsed) return false;
  fields = *parsed;
  return true;
}

void TForm1::showPage(const std::optional<std::string>& page) {
  picker_->setValue(navigator_.pickerDate);
  if (page) {
    setText(ComboBox2, *page);
    navigateToAddress();
  }
  updateDateButtons();
}

void TForm1::SpeedButton4Click() { showPage(navigator_.showCurrentTime(now())); }
void TForm1::showTableSlot(int slot) { showPage(navigator_.showTableSlot(slot)); }
void TForm1::moveTable(int days, int slots) { showPage(navigator_.moveTable(days, slots)); }

void TForm1::DateTimePicker1Change() {
  // The picker shows the chosen date with the time of day it had.
  showPage(navigator_.changeDate(picker_->value(), now()));
}

void TForm1::updateDateButtons() {
  const guide::NavigatorView v = navigator_.view(now());
  const guide::DateButton* buttons[6] = {&v.dayBefore, &v.daysAfter[0], &v.daysAfter[1], &v.daysAfter[2],
                                         &v.daysAfter[3], &v.daysAfter[4]};
  for (int i = 0; i < 6; ++i) {
    dateColours_[i] = buttons[i]->color;
    setText(BitBtn1 + i, buttons[i]->caption);
    setEnabled(BitBtn1 + i, buttons[i]->enabled);
    InvalidateRect(control(BitBtn1 + i), nullptr, TRUE);
  }
  labelColour_ = v.weekdayColor;
  setText(Label1, v.weekday);
  for (int i = 0; i < guide::kSlotCount; ++i) {
    setEnabled(ToolButton2_02 + i, v.slotEnabled[i]);
    SendMessageW(control(ToolButton2_02 + i), BM_SETCHECK, v.slotDown[i] ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  setEnabled(SpeedButton2, v.previousEnabled);
  setEnabled(SpeedButton3, v.nextEnabled);
  setEnabled(SpeedButton4, v.nowEnabled);
}

// A push button draws no coloured caption of its own: the date buttons are drawn here, in the
// weekday's colour, greyed while disabled.
bool TForm1::drawDateButton(const DRAWITEMSTRUCT& item) {
  const int index = static_cast<int>(item.CtlID) - BitBtn1;
  if (index < 0 || index >= 6) return false;
  RECT r = item.rcItem;
  UINT state = DFCS_BUTTONPUSH;
  if (item.itemState & ODS_SELECTED) state |= DFCS_PUSHED;
  if (item.itemState & ODS_DISABLED) state |= DFCS_INACTIVE;
  DrawFrameControl(item.hDC, &r, DFC_BUTTON, state);
  std::wstring caption = winui::widen(text(static_cast<int>(item.CtlID)));
  for (size_t at; (at = caption.find(L"\n\r")) != std::wstring::npos;) caption.replace(at, 2, L"\n");
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : colourOf(dateColours_[index]));
  HGDIOBJ old = SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  RECT measure = r;
  DrawTextW(item.hDC, caption.c_str(), -1, &measure, DT_CENTER | DT_CALCRECT);
  r.top += ((r.bottom - r.top) - (measure.bottom - measure.top)) / 2;
  DrawTextW(item.hDC, caption.c_str(), -1, &r, DT_CENTER);
  SelectObject(item.hDC, old);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(item.hDC, &focus);
  }
  return true;
}

bool TForm1::preTranslate(MSG& msg) {
  HWND combo = control(ComboBox2);
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && combo && (msg.hwnd == combo || IsChild(combo, msg.hwnd))) {
    ComboBox2KeyDown(msg.wParam);
    return true;
  }
  return browser_ && browser_->translateKey(msg);
}

LRESULT TForm1::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (wParam && !shown_) {
        shown_ = true;
        FormShow();
      }
      break;
    case WM_SIZE:
      if (controlBar_ && browser_) layout();
      return 0;
    case winui::kPanelMoved:
      keepInBar(reinterpret_cast<HWND>(lParam));
      layout();
      return 0;
    case WM_DRAWITEM:
      if (drawDateButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == control(Label1)) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, colourOf(labelColour_));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(face_);
      }
      break;
    case WM_CLOSE:
      if (FormCloseQuery()) DestroyWindow(handle());
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    // Log-off destroys no window: what the run changed is saved now, as a close saves it.
    case WM_ENDSESSION:
      if (wParam) {
        if (download_) download_->storeSettings();
        storeLayout();
        settings_->save();
        if (favourites_) favourites_->save();
      }
      return 0;
    case WM_DESTROY:
      FormDestroy();
      // The control is closed while its windows, children of this one, still live.
      browser_.reset();
      PostQuitMessage(0);
      return 0;
  }
  return defaultHandling(msg, wParam, lParam);
}
