// The offline table navigator: walks the saved table pages by date and slot. It holds the view's
// position (the picker's date, the current slot and the page shown); the window shows what
// view() computes and navigates to the pages the actions return.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "table_slots.h"

namespace guide {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
// Sunday red, Saturday blue, other days black.
Rgb weekdayColor(double date);
// "(" + short weekday + ")".
std::string weekdayCaption(double date);
// Month "月", day "日" and the bracketed weekday on three lines, each break LF CR.
std::string dateButtonCaption(double date);

struct DateButton {
  double date = 0;
  std::string caption;
  Rgb color;
  bool enabled = false;
};

struct NavigatorView {
  DateButton dayBefore;                  // BitBtn1
  std::string weekday;                   // Label1
  Rgb weekdayColor;
  std::array<DateButton, 5> daysAfter;   // BitBtn2 .. BitBtn6
  std::array<bool, kSlotCount> slotEnabled{};
  std::array<bool, kSlotCount> slotDown{};
  bool previousEnabled = false;          // SpeedButton2
  bool nextEnabled = false;              // SpeedButton3
  bool nowEnabled = false;               // SpeedButton4
};

class TableNavigator {
 public:
  using Exists = std::function<bool(const std::string& path)>;
  static constexpr int kAfterOfflineSwitch = kSlotCount;

  TableNavigator(std::string programFolder, Exists exists, double pickerDate)
      : pickerDate(pickerDate), folder_(std::move(programFolder)), exists_(std::move(exists)) {}

  std::string pagePath(double date, int slot) const { return savedTablePath(folder_, date, slot); }
  bool hasSavedTables(double date) const;

  // Each action moves the view and returns the page to show when it is saved; the caller then
  // refreshes the buttons with view().
  std::optional<std::string> showCurrentTime(double now);
  std::optional<std::string> showTableSlot(int slot);
  std::optional<std::string> moveTable(int days, int slots);
  // The user picked another date: the slot shown before is shown for it when it is saved.
  std::optional<std::string> changeDate(double date, double now);
  // The switch to offline mode, after the buttons were refreshed.
  void enterOffline();

  // The buttons' states for the picker's date; a slot found shown becomes the current slot.
  NavigatorView view(double now);

  double pickerDate;
  int currentSlot = 0;
  std::string currentPage;

 private:
  std::optional<std::string> showIfSaved(double date, int slot);

  std::string folder_;
  Exists exists_;
  std::array<bool, kSlotCount> lastDown_{};
};

}  // namespace guide
