// The application's exception guard: an exception that escapes an event handler is shown in
// the application's exception box and goes no further (never across a window procedure).
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

namespace winui {

// Shows the exception box with the error's text (through the dialog seam), captioned with the
// program's title (dialogs.h).
void showException(std::string_view cp932Text) noexcept;

// Runs f; an escaped exception is shown and the fallback returned.
template <class F, class R = decltype(std::declval<F>()())>
R guarded(F&& f, R fallback = R()) noexcept {
  try {
    return f();
  } catch (const std::exception& error) {
    showException(error.what());
  } catch (...) {
    showException("Unknown exception");
  }
  return fallback;
}

template <class F>
void guardedCall(F&& f) noexcept {
  try {
    f();
  } catch (const std::exception& error) {
    showException(error.what());
  } catch (...) {
    showException("Unknown exception");
  }
}

}  // namespace winui
