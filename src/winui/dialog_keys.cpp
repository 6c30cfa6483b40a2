#include "dialog_keys.h"

#include <set>
#include <vector>

#include "pump.h"

namespace winui {

namespace {

std::set<HWND>& dialogs() {
  static std::set<HWND> windows;
  return windows;
}

LONG styleOf(HWND window) { return GetWindowLongW(window, GWL_STYLE); }

bool isClass(HWND window, const wchar_t* name) {
  wchar_t found[16] = {};
  return GetClassNameW(window, found, 16) > 0 && lstrcmpiW(found, name) == 0;
}

UINT buttonType(HWND window) { return isClass(window, L"Button") ? styleOf(window) & BS_TYPEMASK : ~0u; }

bool isRadio(HWND window) {
  const UINT type = buttonType(window);
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool isMemo(HWND window) { return isClass(window, L"Edit") && (styleOf(window) & ES_MULTILINE); }

bool usable(HWND window) { return IsWindowVisible(window) && IsWindowEnabled(window); }

bool held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

void setTabStop(HWND window, bool stop) {
  const LONG style = styleOf(window);
  if (((style & WS_TABSTOP) != 0) == stop) return;
  SetWindowLongW(window, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

// A radio group: the run of sibling radio buttons around an item, bounded by an item that starts
// a group (WS_GROUP) or by any other control.
bool startsGroup(HWND item) {
  HWND previous = GetWindow(item, GW_HWNDPREV);
  return (styleOf(item) & WS_GROUP) || !previous || !isRadio(previous);
}

std::vector<HWND> radioGroup(HWND item) {
  HWND first = item;
  while (!startsGroup(first)) first = GetWindow(first, GW_HWNDPREV);
  std::vector<HWND> group{first};
  for (HWND next = GetWindow(first, GW_HWNDNEXT); next && isRadio(next) && !startsGroup(next);
       next = GetWindow(next, GW_HWNDNEXT))
    group.push_back(next);
  return group;
}

void settleGroup(const std::vector<HWND>& group) {
  HWND stop = nullptr;
  for (HWND item : group)
    if (!stop && usable(item) && SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED) stop = item;
  for (HWND item : group)
    if (!stop && usable(item)) stop = item;
  for (HWND item : group) setTabStop(item, item == stop);
}

void settleChildren(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (buttonType(child) == BS_GROUPBOX) setTabStop(child, false);
    if (isRadio(child) && startsGroup(child)) settleGroup(radioGroup(child));
    if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) settleChildren(child);
  }
}

bool wants(HWND control, MSG& msg, LRESULT codes) {
  return (SendMessageW(control, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & codes) != 0;
}

// Tab and Shift+Tab move on from the control the key was typed in (not from the focus, which
// another program's window may have taken meanwhile), unless it wants them. A multi-line edit
// wants every key, yet Tab leaves it as in every dialog; Ctrl+Tab types a tab into it.
bool tabKey(HWND dialog, MSG& msg) {
  if (msg.wParam != VK_TAB || (msg.message != WM_KEYDOWN && msg.message != WM_CHAR)) return false;
  const bool memo = isMemo(msg.hwnd);
  if (!memo && wants(msg.hwnd, msg, DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  if (msg.message == WM_CHAR) return true;
  if (memo && held(VK_CONTROL)) {
    if (!(styleOf(msg.hwnd) & ES_READONLY))
      SendMessageW(msg.hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\t"));
    return true;
  }
  nextTabStop(dialog, msg.hwnd == dialog ? nullptr : msg.hwnd, held(VK_SHIFT));
  return true;
}

// The arrows move within a radio group, wrapping round, and check the item they move to.
bool radioArrow(MSG& msg) {
  if (msg.message != WM_KEYDOWN || !isRadio(msg.hwnd)) return false;
  int step = 0;
  if (msg.wParam == VK_DOWN || msg.wParam == VK_RIGHT) step = 1;
  if (msg.wParam == VK_UP || msg.wParam == VK_LEFT) step = -1;
  if (step == 0) return false;
  const std::vector<HWND> group = radioGroup(msg.hwnd);
  const int n = static_cast<int>(group.size());
  int at = 0;
  while (at < n && group[static_cast<size_t>(at)] != msg.hwnd) ++at;
  for (int i = 1; i < n; ++i) {
    HWND item = group[static_cast<size_t>(((at + step * i) % n + n) % n)];
    if (!usable(item)) continue;
    SendMessageW(item, BM_CLICK, 0, 0);  // the focus and the check, as a click gives them
    break;
  }
  return true;
}

bool pushButton(HWND window) {
  const UINT type = buttonType(window);
  return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && IsWindowEnabled(window);
}

HWND defaultButton(HWND dialog) {
  const LRESULT id = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(id) != DC_HASDEFID) return nullptr;
  HWND button = GetDlgItem(dialog, LOWORD(id));
  return button && IsWindowVisible(button) && IsWindowEnabled(button) ? button : nullptr;
}

BOOL CALLBACK frameButton(HWND child, LPARAM framed) {
  const UINT type = buttonType(child);
  const bool frame = child == reinterpret_cast<HWND>(framed);
  if ((type == BS_DEFPUSHBUTTON && !frame) || (type == BS_PUSHBUTTON && frame))
    SendMessageW(child, BM_SETSTYLE, frame ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  return TRUE;
}

}  // namespace

void setDialog(HWND window, bool dialog) {
  if (dialog) dialogs().insert(window);
  else dialogs().erase(window);
}

void settleTabStops(HWND dialog) { settleChildren(dialog); }

void nextTabStop(HWND dialog, HWND from, bool back) {
  settleTabStops(dialog);
  // Shift+Tab from the dialog itself goes to its last stop, which the call finds only from a control.
  if (!from && back) from = GetNextDlgTabItem(dialog, nullptr, FALSE);
  HWND next = GetNextDlgTabItem(dialog, from, back);
  if (!next) return;
  SetFocus(next);
  if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
}

void answerNextDlgCtl(HWND window, WPARAM wParam, LPARAM lParam) {
  if (LOWORD(lParam)) {
    if (wParam) SetFocus(reinterpret_cast<HWND>(wParam));
    return;
  }
  HWND dialog = GetAncestor(window, GA_ROOT);
  HWND focus = GetFocus();
  nextTabStop(dialog, focus && IsChild(dialog, focus) ? focus : nullptr, wParam != 0);
}

bool modelessKey(MSG& msg) {
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return root && dialogs().count(root) && (tabKey(root, msg) || radioArrow(msg));
}

// Enter and Esc of a modal form, taken before the focused control unless it wants them (an open
// drop-down list, a memo): Esc closes the form as its close box does; Enter clicks the focused
// push button, else the default one. The dialog manager's own answer would click the controls
// whose ids happen to be IDOK and IDCANCEL. The arrows go to the control, in a radio group from
// item to item; other keys to the dialog manager (mnemonics).
bool dialogKey(HWND dialog, MSG& msg) {
  if (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd)) return false;
  if (tabKey(dialog, msg) || radioArrow(msg)) return true;
  const bool arrow = (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam >= VK_LEFT &&
                     msg.wParam <= VK_DOWN;
  if (arrow) return false;
  if (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) return IsDialogMessageW(dialog, &msg) != FALSE;
  if (msg.message != WM_KEYDOWN || wants(msg.hwnd, msg, DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) return false;
  if (msg.wParam == VK_ESCAPE) {
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    return true;
  }
  HWND button = pushButton(msg.hwnd) ? msg.hwnd : defaultButton(dialog);
  if (!button) return false;
  SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  return true;
}

void frameFollowsFocus(HWND modal) {
  static HWND seen = nullptr;  // the focus last framed for
  HWND focus = GetFocus();
  if (!focus) {
    // The focused control was disabled (a button that turns itself off): the dialog takes the
    // focus, as the framework's form does; with none, the keyboard's keys would reach no one.
    HWND active = GetActiveWindow();
    if (!active || (active != modal && !dialogs().count(active))) return;
    SetFocus(focus = active);
  }
  if (focus == seen) return;
  HWND root = GetAncestor(focus, GA_ROOT);
  if (!root || (root != modal && !dialogs().count(root))) return;
  seen = focus;
  HWND framed = pushButton(focus) ? focus : defaultButton(root);
  EnumChildWindows(root, frameButton, reinterpret_cast<LPARAM>(framed));
}

}  // namespace winui
