// TabSheet3 "予約設定": the scheduler's settings (timerIni), edited in memory; nothing goes to
// the engine. timerSetup.dat is written at exit.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "recdesk/core/timer_ini.h"
#include "winui/form.h"

class ReservationPage : public winui::Form {
 public:
  // The folder picker: (owner, title, root) -> the chosen folder, or nothing for Cancel.
  using FolderChooser =
      std::function<std::optional<std::string>(HWND owner, const std::string& title, const std::string& root)>;

  enum : int {
    CheckBox1 = 301, Edit2, CheckBox5, Edit6, Button11, CheckBox3, CheckBox2, Edit5, Button2, Edit4, Edit3, Edit1,
    Edit12, kLabels
  };

  ReservationPage(HWND parent, RECT bounds, timerIni& settings, FolderChooser chooseFolder);

  // TabSheet3 OnShow.
  void shown();

 private:
  void CheckBox1Click();
  void CheckBox2Click();
  void Button11Click();
  void Button2Click();
  void Edit4Change();
  // The positive-integer rule of one field.
  void secondsChange(int edit, uint16_t& field);
  void showNumber(int edit, uint16_t value);

  timerIni& settings_;
  FolderChooser chooseFolder_;
};
