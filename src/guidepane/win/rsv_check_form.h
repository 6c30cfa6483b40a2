// TForm4 "予約内容の確認": the reservation check. The capture fills it with a program's fields and
// shows it modally; "予約登録" checks the values, remembers the station's channel and hands the
// reservation to planbook in one WM_COPYDATA.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "guidepane/core/def_file.h"
#include "guidepane/core/program_link.h"
#include "guidepane/core/reservation.h"
#include "guidepane/win/form_ports.h"
#include "winui/date_time_picker.h"
#include "winui/form.h"

// How long the hand-off waits: for planbook's window after starting it, and for its answer (to
// the block only while planbook is hung).
struct PlanbookWait {
  DWORD windowMs = 10000;
  DWORD pauseMs = 100;  // between looks for the window, pumping meanwhile
  DWORD answerMs = 5000;
};

class TForm4 : public winui::Form, public guide::ReservationCheckPort {
 public:
  enum Control : int {
    DateTimePicker1 = 101, DateTimePicker2, DateTimePicker3, DateTimePicker4,
    ComboBox1 = 110, Edit1, Edit2, Memo1,
    Button1 = 121, Button2,
    Label01 = 131, Label02,
  };

  // Reads the channel list from programFolder + "TvTuner.dat", once for the whole run.
  // programFolder ends with '\'; settings (the main window's) keeps the station memory.
  TForm4(HWND owner, defFile& settings, std::string programFolder);

  // Set while no channel table could be read: the capture then refuses every reservation.
  bool noChannelTable() const override { return channels_.noChannelTable; }
  const std::vector<std::string>& channelNames() const { return channels_.names; }

  // The call the capture makes: fills every field, pre-selects the station's channel and shows
  // the dialog modally until it is cancelled (IDCANCEL) or the reservation is handed on (IDOK).
  // A call while the dialog is already showing does nothing and answers 0, as does the
  // application ending meanwhile.
  int showReservation(const guide::ProgramFields& fields);
  bool showing() const { return inModal(); }
  // The same in two steps, as the main window's capture makes them.
  void fill(const guide::ProgramFields& fields) override;
  void showModal() override;

  void selectStation(const std::string& code);
  // What the channel box shows: the selected channel's name, or the hint while none is selected.
  std::string channelText() const;
  void Button1Click();  // "予約登録"
  void Button2Click();  // "キャンセル"

  void setPlanbookWait(const PlanbookWait& wait) { wait_ = wait; }

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND findPlanbook() const;
  bool answers(HWND planbook) const;
  HWND startPlanbook();
  void handOff(HWND planbook, double start, double end, int channel, const std::string& title);
  void setBusy(bool busy);
  static double pickedDateTime(const winui::DateTimePicker& date, const winui::DateTimePicker& time);
  void drawChannel(const DRAWITEMSTRUCT& item) const;
  void layout(int width, int height);

  defFile& settings_;
  std::string folder_;
  winui::DateTimePicker startDate_, startTime_, endDate_, endTime_;
  guide::ChannelList channels_;
  std::string station_;
  int32_t remembered_ = -1;
  std::string cue_;  // shown in the channel box while nothing is selected
  PlanbookWait wait_;
  bool busy_ = false;
};
