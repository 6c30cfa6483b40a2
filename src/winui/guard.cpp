#include "guard.h"

#include "dialogs.h"

namespace winui {

namespace {
std::string& title() {
  static std::string text;
  return text;
}
}  // namespace

void setApplicationTitle(std::string_view cp932) { title() = std::string(cp932); }

void showException(std::string_view cp932Text) noexcept {
  try {
    messageBox(nullptr, cp932Text, title(), MB_OK | MB_ICONERROR);
  } catch (...) {
    // Nothing more can be said when even the box fails.
  }
}

}  // namespace winui
