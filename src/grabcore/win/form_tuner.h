// The channel scan's two windows: the first run's question TFormAutoTune and the progress
// window TFormWait, and the tuner's dialogs over them. A seam lets tests stand in for both.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "grabcore/core/tuner_ports.h"
#include "winui/form.h"

// Installs a stand-in for the tuner's dialogs in this process (nullptr: the real windows).
void setTunerDialogSeam(TunerDialogs* seam);

class WinTunerDialogs : public TunerDialogs {
 public:
  int askScan() override;
  std::unique_ptr<ScanProgress> openProgress(const std::string& caption) override;
};

class TFormAutoTune : public winui::Form {
 public:
  TFormAutoTune();

  // Runs until a button answers; kScanAntenna or kScanCable for "yes" with the input chosen,
  // kScanNone for "no" and for any other way of closing the window, kScanEnded when the
  // program's end (a quit request, left in the queue) ended the wait.
  int showModal();

 protected:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TFormWait : public ScanProgress, public winui::Form {
 public:
  explicit TFormWait(const std::string& caption);

  void setCaption(const std::string& caption) override;
  void setMaximum(int32_t maximum) override;
  void setPosition(int32_t position) override;
  // Paints what is due; requests stay queued until the scan's request is done.
  void pump() override;

 protected:
  // Nothing on it can be acted on, and it cannot be closed by the user.
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
