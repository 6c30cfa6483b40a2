#include "dialogs.h"

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
}  // namespace

void setDialogSeam(DialogSeam* seam) { g_seam = seam; }
DialogSeam* dialogSeam() { return g_seam; }

void setApplicationTitle(std::string_view cp932) { title() = std::string(cp932); }
const std::string& applicationTitle() { return title(); }

HWND modalOwner(HWND owner) {
  if (owner && IsWindowVisible(owner) && IsWindowEnabled(owner)) return owner;
  HWND active = GetActiveWindow();
  return active && IsWindowVisible(active) && IsWindowEnabled(active) ? active : owner;
}

int messageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
  std::wstring wideCaption = widen(caption);
  return show(modalOwner(owner), widen(text), wideCaption.c_str(), flags);
}

int messageBox(HWND owner, std::string_view text, UINT flags) { return messageBox(owner, text, title(), flags); }

int messageBoxDefaultCaption(HWND owner, std::string_view text, UINT flags) {
  return show(owner, widen(text), nullptr, flags);
}

}  // namespace winui
