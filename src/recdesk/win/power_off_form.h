// TForm5: the power-off countdown after a recording. Yes (also when the count runs out)
// switches the PC off.
#pragma once

#include <windows.h>

#include <cstdint>

#include "winui/form.h"
#include "winui/timer.h"

class TForm5 : public winui::Form {
 public:
  enum ControlId { Label1 = 1, Label2, Label3, Label4, Button1, Button2 };

  // seconds: the power-off countdown setting.
  TForm5(int seconds, bool stayOnTop);
  // Shown modally in front of other programs: IDYES or IDNO (IDNO also when the program ends,
  // IDCANCEL when closed otherwise).
  int run();

  int32_t count = 0;

 private:
  void Timer1Timer();
  void close(int result);
  winui::Timer Timer1;
};
