#include "guard.h"

#include "dialogs.h"

namespace winui {

void showException(std::string_view cp932Text) noexcept {
  try {
    messageBox(nullptr, cp932Text, MB_OK | MB_ICONERROR);
  } catch (...) {
    // Nothing more can be said when even the box fails.
  }
}

}  // namespace winui
