// A date-time picker on a form: the value is an OLE date (days since 30 December 1899, local
// time). As with the framework's picker, the change event fires when the user changes the
// value; a value set by code fires nothing, so the code that sets it updates what depends on it.
#pragma once

#include <windows.h>

#include <functional>

#include "form.h"

namespace winui {

class DateTimePicker {
 public:
  enum class Format {
    timeOnly,  // hours, minutes and seconds with up-down arrows; the date part is kept but not shown
    longDate,  // the date in the user's long format, with a drop-down calendar
  };

  // A child of the form with the given id and bounds (left, top, width, height).
  DateTimePicker(Form& form, int id, Format format, RECT bounds);
  DateTimePicker(const DateTimePicker&) = delete;
  DateTimePicker& operator=(const DateTimePicker&) = delete;

  HWND handle() const { return window_; }
  double value() const;
  // A date outside the control's range (before 1601 or after 9999) leaves the value unchanged.
  bool setValue(double oleDate);
  void onChange(std::function<void()> handler) { change_ = std::move(handler); }

 private:
  HWND window_ = nullptr;
  std::function<void()> change_;
};

}  // namespace winui
