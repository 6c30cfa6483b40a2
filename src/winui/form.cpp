#include "form.h"

#include <commctrl.h>

#include <set>
#include <stdexcept>

#include "dialog_keys.h"
#include "dialogs.h"
#include "guard.h"
#include "pump.h"
#include "text.h"
#include "window_object.h"

namespace winui {

namespace {

void registerClass(const std::wstring& name, WNDPROC proc) {
  static std::set<std::wstring> registered;
  if (!registered.insert(name).second) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name.c_str();
  RegisterClassExW(&wc);
}

const wchar_t* classOf(Control kind) {
  switch (kind) {
    case Control::button:
    case Control::checkBox:
    case Control::radioButton:
    case Control::groupBox: return WC_BUTTONW;
    case Control::listBox: return WC_LISTBOXW;
    case Control::progressBar: return PROGRESS_CLASSW;
    case Control::memo: return WC_EDITW;
    case Control::label:
    case Control::panel: return WC_STATICW;
    case Control::edit: return WC_EDITW;
    case Control::trackBar: return TRACKBAR_CLASSW;
    case Control::comboBox: return WC_COMBOBOXW;
  }
  return WC_STATICW;
}

DWORD styleOf(Control kind) {
  switch (kind) {
    case Control::button: return BS_PUSHBUTTON | WS_TABSTOP;
    case Control::checkBox: return BS_AUTOCHECKBOX | WS_TABSTOP;
    case Control::label: return SS_LEFT;
    case Control::panel: return SS_NOTIFY | WS_CLIPCHILDREN;
    case Control::edit: return ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
    case Control::trackBar: return TBS_HORZ | WS_TABSTOP;
    case Control::comboBox: return CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    case Control::radioButton: return BS_AUTORADIOBUTTON;
    case Control::groupBox: return BS_GROUPBOX;
    case Control::listBox: return LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
    case Control::progressBar: return 0;
    // Enter makes a new line, not the dialog's default click.
    case Control::memo: return ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
  }
  return 0;
}

std::string windowText(HWND window) {
  int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return narrow(text);
}

}  // namespace

void initCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX),
                              ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES |
                                  ICC_TAB_CLASSES | ICC_DATE_CLASSES | ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

Form::Form(const Options& options) {
  registerClass(options.className, &Form::windowProc);
  const RECT& b = options.bounds;
  // Tab moves on into the controls of a form laid into another one (a page, a panel).
  const DWORD exStyle = options.exStyle | (options.style & WS_CHILD ? WS_EX_CONTROLPARENT : 0);
  window_ = CreateWindowExW(exStyle, options.className.c_str(), widen(options.caption).c_str(), options.style,
                            b.left, b.top, b.right, b.bottom, options.parent, nullptr, GetModuleHandleW(nullptr),
                            this);
  if (!window_) throw std::runtime_error("CreateWindowEx failed");
  dialogKeys_ = options.dialogKeys;
  closable_ = options.closable;
  if (options.messageFont) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    ownsFont_ = font_ != nullptr;
  }
  if (!font_ && (options.style & WS_CHILD) && options.parent)
    font_ = reinterpret_cast<HFONT>(SendMessageW(options.parent, WM_GETFONT, 0, 0));
  if (!font_) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  // An owned window is a dialog also when shown without its own loop.
  dialog_ = dialogKeys_ && options.parent && !(options.style & WS_CHILD);
  if (dialog_) setDialog(window_, true);
  if (!options.ownsBoxes) setOwnsBoxes(window_, false);
}

RECT Form::centredBounds(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height};
}

Form::~Form() {
  if (window_) {
    setDialog(window_, false);
    setOwnsBoxes(window_, true);
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (ownsFont_) DeleteObject(font_);
}

HWND Form::control(int id) const {
  if (HWND direct = GetDlgItem(window_, id)) return direct;
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      window_,
      [](HWND child, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (GetDlgCtrlID(child) != s->id) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Form::show() { ShowWindow(window_, SW_SHOW); }
void Form::hide() { ShowWindow(window_, SW_HIDE); }
bool Form::visible() const { return IsWindowVisible(window_) != FALSE; }
void Form::setCaption(std::string_view cp932) { SetWindowTextW(window_, widen(cp932).c_str()); }
std::string Form::caption() const { return windowText(window_); }

HWND Form::addControl(Control kind, int id, std::string_view text, RECT b, DWORD extraStyle) {
  initCommonControls();
  HWND child = CreateWindowExW(0, classOf(kind), widen(text).c_str(), WS_CHILD | WS_VISIBLE | styleOf(kind) | extraStyle,
                         b.left, b.top, b.right, b.bottom, window_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (child && kind == Control::trackBar) trackPositions_[id] = 0;
  if (child && kind == Control::button && (extraStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON) defaultButton_ = id;
  return child;
}

void Form::fire(std::map<int, std::function<void()>>& handlers, int id) {
  auto found = handlers.find(id);
  if (found == handlers.end()) return;
  auto handler = found->second;  // a handler may replace itself
  guardedCall(handler);
}

void Form::click(int id) { fire(clicks_, id); }

void Form::setText(int id, std::string_view cp932) { SetWindowTextW(control(id), widen(cp932).c_str()); }
std::string Form::text(int id) const { return windowText(control(id)); }

void Form::setTrackRange(int id, int minimum, int maximum) {
  SendMessageW(control(id), TBM_SETRANGEMIN, FALSE, minimum);
  SendMessageW(control(id), TBM_SETRANGEMAX, TRUE, maximum);
  trackPositions_[id] = trackPosition(id);  // a position the new range moved is no change
}

void Form::setTrackPosition(int id, int position) {
  trackPositions_.try_emplace(id, trackPosition(id));
  SendMessageW(control(id), TBM_SETPOS, TRUE, position);
  trackScrolled(control(id));
}

void Form::trackScrolled(HWND trackBar) {
  const int id = GetDlgCtrlID(trackBar);
  const int position = static_cast<int>(SendMessageW(trackBar, TBM_GETPOS, 0, 0));
  auto last = trackPositions_.find(id);
  if (last != trackPositions_.end() && last->second == position) return;
  trackPositions_[id] = position;
  fire(changes_, id);
}

int Form::trackPosition(int id) const { return static_cast<int>(SendMessageW(control(id), TBM_GETPOS, 0, 0)); }

void Form::setChecked(int id, bool checked) {
  if (this->checked(id) == checked) return;
  SendMessageW(control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  fire(changes_, id);
}

bool Form::checked(int id) const { return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Form::setComboItems(int id, const std::vector<std::string>& cp932Items) {
  SendMessageW(control(id), CB_RESETCONTENT, 0, 0);
  for (const std::string& item : cp932Items)
    SendMessageW(control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
}

void Form::setComboIndex(int id, int index) { SendMessageW(control(id), CB_SETCURSEL, index, 0); }
int Form::comboIndex(int id) const { return static_cast<int>(SendMessageW(control(id), CB_GETCURSEL, 0, 0)); }
void Form::setEnabled(int id, bool enabled) { EnableWindow(control(id), enabled); }

void Form::setListItems(int id, const std::vector<std::string>& cp932Items) {
  SendMessageW(control(id), LB_RESETCONTENT, 0, 0);
  for (const std::string& item : cp932Items)
    SendMessageW(control(id), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
}

void Form::setListIndex(int id, int index) { SendMessageW(control(id), LB_SETCURSEL, index, 0); }
int Form::listIndex(int id) const { return static_cast<int>(SendMessageW(control(id), LB_GETCURSEL, 0, 0)); }
void Form::setProgressRange(int id, int maximum) { SendMessageW(control(id), PBM_SETRANGE32, 0, maximum); }
void Form::setProgressPosition(int id, int position) { SendMessageW(control(id), PBM_SETPOS, position, 0); }

int Form::showModal(int resultOnQuit) {
  HWND owner = GetWindow(window_, GW_OWNER);
  if (owner) EnableWindow(owner, FALSE);
  modal_ = true;
  modalEnded_ = false;
  modalResult_ = 0;
  show();
  if (dialogKeys_) focusOnShow();
  const bool ended = runLoopUntil([this] { return modalEnded_; }, dialogKeys_ ? window_ : nullptr);
  modal_ = false;
  lastFocus_ = nullptr;
  if (owner) EnableWindow(owner, TRUE);
  hide();
  return ended ? modalResult_ : resultOnQuit;
}

void Form::focusOnShow() {
  // A focus the form gave one of its controls stays; else the first control in tab order.
  HWND focus = GetFocus();
  if (focus && IsChild(window_, focus)) return;
  settleTabStops(window_);
  if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
}

void Form::endModal(int result) {
  modalResult_ = result;
  modalEnded_ = true;
  PostMessageW(window_, WM_NULL, 0, 0);  // wakes the modal loop
}

LRESULT Form::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return defaultHandling(msg, wParam, lParam); }

LRESULT Form::defaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (lParam != 0) {
        const int id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        if (code == BN_CLICKED) {
          // A check box's click is also its change.
          if ((GetWindowLongW(reinterpret_cast<HWND>(lParam), GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            fire(changes_, id);
          fire(clicks_, id);
        } else if (code == EN_CHANGE || code == CBN_SELCHANGE || code == LBN_SELCHANGE) {
          fire(changes_, id);
        }
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      auto found = notifies_.find(static_cast<int>(header.idFrom));
      if (found == notifies_.end()) break;
      auto handler = found->second;  // a handler may replace itself
      return guarded([&] { return handler(header); }, LRESULT{0});
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (lParam != 0) {
        trackScrolled(reinterpret_cast<HWND>(lParam));
        return 0;
      }
      break;
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_CREATE)
        SendMessageW(reinterpret_cast<HWND>(lParam), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_NEXTDLGCTL:  // a multi-line edit's Tab, as a dialog answers it
      answerNextDlgCtl(window_, wParam, lParam);
      return 0;
    case DM_GETDEFID:  // the button that Enter clicks
      return defaultButton_ ? MAKELRESULT(defaultButton_, DC_HASDEFID) : 0;
    case WM_ACTIVATE:
      // A modal form, or a dialog shown without its loop, keeps its focus while a box or another
      // program is in front.
      if (!(modal_ && dialogKeys_) && !dialog_) break;
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
      } else if (lastFocus_ && IsWindow(lastFocus_) && IsChild(window_, lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (!closable_) return 0;
      if (modal_) {
        endModal(IDCANCEL);
        return 0;
      }
      hide();
      return 0;
  }
  return DefWindowProcW(window_, msg, wParam, lParam);
}

LRESULT CALLBACK Form::windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  Form* form = windowObject<Form>(window, msg, lParam);
  if (!form) return DefWindowProcW(window, msg, wParam, lParam);
  if (msg == WM_NCCREATE) form->window_ = window;
  return guarded([&] { return form->handleMessage(msg, wParam, lParam); }, LRESULT{0});
}

}  // namespace winui
