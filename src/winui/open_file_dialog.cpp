#include "open_file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "dialogs.h"
#include "text.h"

namespace winui {

namespace {

// The filter as the dialog takes it: the "|" separators become NULs, and two NULs end it.
// The conversion comes first, so a "|" inside a double-byte character is not split.
std::wstring dialogFilter(const std::string& filter) {
  std::wstring wide = widen(filter);
  for (wchar_t& c : wide)
    if (c == L'|') c = L'\0';
  wide.push_back(L'\0');
  wide.push_back(L'\0');
  return wide;
}

bool fitsShiftJis(const std::wstring& text) {
  if (text.empty()) return true;
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, &lost);
  return n > 0 && !lost;
}

std::optional<std::wstring> systemDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                                         const OpenFileRequest& request) {
  std::vector<wchar_t> file(32768, L'\0');
  OPENFILENAMEW box{};
  box.lStructSize = sizeof(box);
  box.hwndOwner = owner;
  box.lpstrFilter = filter.c_str();
  box.nFilterIndex = 1;
  box.lpstrFile = file.data();
  box.nMaxFile = static_cast<DWORD>(file.size());
  box.lpstrTitle = title.empty() ? nullptr : title.c_str();
  box.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (request.pathMustExist) box.Flags |= OFN_PATHMUSTEXIST;
  if (request.noNetworkButton) box.Flags |= OFN_NONETWORKBUTTON;
  if (request.keepCurrentFolder) box.Flags |= OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&box)) return std::nullopt;
  return std::wstring(file.data());
}

}  // namespace

std::optional<std::string> openFileName(HWND owner, const OpenFileRequest& request) {
  const std::wstring title = widen(request.title);
  const std::wstring filter = dialogFilter(request.filter);
  DialogSeam* seam = dialogSeam();
  const std::optional<std::wstring> chosen =
      seam ? seam->openFile(owner, title, filter) : systemDialog(owner, title, filter, request);
  if (!chosen) return std::nullopt;
  if (!fitsShiftJis(*chosen)) {
    messageBox(owner, request.refusal, request.refusalCaption, MB_OK | MB_ICONWARNING);
    return std::nullopt;
  }
  return narrow(*chosen);
}

}  // namespace winui
