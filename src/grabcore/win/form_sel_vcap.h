// The driver choice dialog, shown when the video capture device has both a WDM and a VfW
// driver. It goes through a seam so that tests can answer it.
#pragma once

#include <windows.h>

#include "winui/form.h"

// The dialog's modal results.
inline constexpr int kDriverChoiceWdm = 1;  // the WDM driver was chosen
inline constexpr int kDriverChoiceVfw = 2;  // the VfW driver was chosen, or the dialog was closed otherwise

class DriverChoiceSeam {
 public:
  virtual ~DriverChoiceSeam() = default;
  virtual int choose() = 0;
};

// Installs a stand-in for the dialog in this process (nullptr: the real dialog).
void setDriverChoiceSeam(DriverChoiceSeam* seam);

// Shows a new TFormSelVCap modally (or asks the stand-in) and answers its result.
int chooseCaptureDriver();

class TFormSelVCap : public winui::Form {
 public:
  TFormSelVCap();

  // Runs until the dialog is closed; the radio item chosen decides the result.
  int showModal();

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
