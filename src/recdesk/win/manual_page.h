// TabSheet6 "手動録画": what the record button records (the TV view's settings, written to
// capForm.dat when the view closes) and one scheduler setting; nothing goes to the engine.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "recdesk/core/cap_form_file.h"
#include "recdesk/core/timer_ini.h"
#include "winui/form.h"
#include "winui/radio_group.h"

class ManualPage : public winui::Form {
 public:
  enum : int { ComboBox4 = 401, Edit11, Button3, CheckBox4, RadioGroup1, kLabels = 420 };

  // folder: the program folder, where the quality profiles lie; useVfw picks their kind.
  ManualPage(HWND parent, RECT bounds, CapFormFile& view, timerIni& settings, std::string folder,
             const bool& useVfw);

  // TabSheet6 OnShow.
  void shown();
  winui::RadioGroup& recordButtonGroup() { return *RadioGroup1_; }

 private:
  void Edit11Change();
  void Button3Click();

  CapFormFile& view_;
  timerIni& settings_;
  std::string folder_;
  const bool& useVfw_;
  std::unique_ptr<winui::RadioGroup> RadioGroup1_;
};
