// TFormFRate: asks for the capture frame rate and sends it to the engine. Shown by the options
// dialog, which owns it, after the video format dialog of a Video for Windows device.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "recdesk/core/ds_control.h"
#include "winui/form.h"

class TFormFRate : public winui::Form {
 public:
  enum ControlId { Bevel1 = 1, Edit1, Label2, Button1, Button2 };

  // reportedRate: the text of the options dialog's Label10, the rate the engine last reported.
  TFormFRate(HWND owner, dsControl& engine, std::function<std::string()> reportedRate, bool stayOnTop);
  ~TFormFRate() override;

  // Shown modally: 1 OK (the rate queued), 2 Cancel (nothing sent).
  int run();

  void FormShow();
  void Edit1Click();
  // Enter acts as OK, Escape as Cancel; true when the key was taken.
  bool Edit1KeyDown(WPARAM key);
  void Button1Click();
  // One token that the engine converts to a rate it applies.
  static bool isPositiveNumber(const std::string& text);

 private:
  static LRESULT CALLBACK editProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);

  dsControl& engine_;
  std::function<std::string()> reportedRate_;
};
