// TFormStopTime: changes when the running recording stops, whether the PC is switched off
// afterwards, or drops the stop time of a manual recording. Constructed, shown and freed by the
// tray's "終了時間再設定", owned by the main window.
#pragma once

#include <windows.h>

#include "recdesk/core/ports.h"
#include "winui/date_time_picker.h"
#include "winui/form.h"

class TFormStopTime : public winui::Form {
 public:
  enum ControlId { Button2 = 1, Label1, DateTimePicker1, Label2, Label3, Label4, CheckBox1, CheckBox2, Button1 };

  TFormStopTime(HWND owner, const Clock& clock, bool stayOnTop);

  // What the caller sets before showing: the stop time with the moment its minutes are counted
  // from (the caller's own now, so that "now + 30 minutes" shows 30), the power-off box, and
  // whether the stop time may be dropped (not while a reservation records).
  void setStopTime(double when, double now);
  void setPowerOff(bool on) { setChecked(CheckBox1, on); }
  void allowDrop(bool allowed) { setEnabled(CheckBox2, allowed); }

  // Modal: 1 "変更する", 2 "変更しない" or the close box.
  int run();

  // What the caller reads after OK. stopTime is the picker's value; the caller moves it into the
  // next day with nextStop, as the minutes shown were.
  double stopTime() const { return DateTimePicker1_.value(); }
  bool powerOff() const { return checked(CheckBox1); }
  bool dropStopTime() const { return checked(CheckBox2); }

  void DateTimePicker1Change();
  void CheckBox2Click();
  winui::DateTimePicker& picker() { return DateTimePicker1_; }

 private:
  const Clock& clock_;
  winui::DateTimePicker DateTimePicker1_;
};
