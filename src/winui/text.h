// Conversions between the programs' Shift-JIS text and the UTF-16 of the W functions.
#pragma once

#include <string>
#include <string_view>

namespace winui {

std::wstring widen(std::string_view cp932);
std::string narrow(std::wstring_view utf16);
// False when the text has no Shift-JIS form (a character would be replaced or altered).
bool narrowExactly(std::wstring_view utf16, std::string& cp932);

}  // namespace winui
