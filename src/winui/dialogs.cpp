#include "dialogs.h"

#include <set>

#include "text.h"

namespace winui {

namespace {
DialogSeam* g_seam = nullptr;

std::string& title() {
  static std::string text;
  return text;
}

int show(HWND owner, const std::wstring& text, const wchar_t* caption, UINT flags) {
  if (g_seam) return g_seam->messageBox(owner, text, caption ? caption : L"", flags);
  return MessageBoxW(owner, text.c_str(), caption, flags);
}

std::set<HWND>& refusing() {
  static std::set<HWND> windows;
  return windows;
}

bool ownsBoxes(HWND window) {
  return window && IsWindowVisible(window) && IsWindowEnabled(window) && !refusing().count(window);
}

bool topmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
}  // namespace

void setDialogSeam(DialogSeam* seam) { g_seam = seam; }
DialogSeam* dialogSeam() { return g_seam; }

void setApplicationTitle(std::string_view cp932) { title() = std::string(cp932); }
const std::string& applicationTitle() { return title(); }

void setOwnsBoxes(HWND window, bool owns) {
  if (owns) refusing().erase(window);
  else refusing().insert(window);
}

HWND modalOwner(HWND owner) {
  if (ownsBoxes(owner)) return owner;
  HWND active = GetActiveWindow();
  if (ownsBoxes(active)) return active;
  return refusing().count(active) ? nullptr : owner;
}

int messageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
  std::wstring wideCaption = widen(caption);
  HWND chosen = modalOwner(owner);
  // Not beneath the countdown it was opened over.
  HWND active = GetActiveWindow();
  if (!chosen && refusing().count(active) && topmost(active)) flags |= MB_TOPMOST;
  return show(chosen, widen(text), wideCaption.c_str(), flags);
}

int messageBox(HWND owner, std::string_view text, UINT flags) { return messageBox(owner, text, title(), flags); }

int messageBoxDefaultCaption(HWND owner, std::string_view text, UINT flags) {
  return show(owner, widen(text), nullptr, flags);
}

}  // namespace winui
