#include "text.h"

#include <windows.h>

namespace winui {

constexpr UINT kShiftJis = 932;

std::wstring widen(std::string_view cp932) {
  if (cp932.empty()) return {};
  int n = MultiByteToWideChar(kShiftJis, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(kShiftJis, 0, cp932.data(), static_cast<int>(cp932.size()), out.data(), n);
  return out;
}

std::string narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  int n = WideCharToMultiByte(kShiftJis, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(kShiftJis, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n, nullptr, nullptr);
  return out;
}

bool narrowExactly(std::wstring_view utf16, std::string& cp932) {
  std::string out = narrow(utf16);
  if (widen(out) != utf16) return false;
  cp932 = std::move(out);
  return true;
}

}  // namespace winui
