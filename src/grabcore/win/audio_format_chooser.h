// The audio compression manager's format chooser and its largest format size, behind a seam
// so that tests can stand in for the modal dialog.
#pragma once

#include <windows.h>
// After windows.h, which they need.
#include <mmreg.h>
#include <msacm.h>

class AudioFormatChooserSeam {
 public:
  virtual ~AudioFormatChooserSeam() = default;
  virtual MMRESULT maxFormatSize(DWORD& size) = 0;
  virtual MMRESULT choose(ACMFORMATCHOOSEA& choice) = 0;
};

// Installs a stand-in for this process (nullptr: the system's).
void setAudioFormatChooserSeam(AudioFormatChooserSeam* seam);

// acmMetrics(ACM_METRIC_MAX_SIZE_FORMAT) over every driver.
MMRESULT acmMaxFormatSize(DWORD& size);
// acmFormatChooseA: modal; the chosen format is written into choice.pwfx.
MMRESULT chooseAudioFormat(ACMFORMATCHOOSEA& choice);
