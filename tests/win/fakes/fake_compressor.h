// The fake side of a video compressor: its IAMVfwCompressDialogs (configuration dialog and
// state), answered for the compressor's filter through FakeFilter::delegate, and a stand-in
// for the audio format chooser that logs into the kit as "acm.<function>(...)".
#pragma once

#include <vector>

#include "fake_com.h"
#include "grabcore/win/audio_format_chooser.h"

namespace fakes {

class FakeCompressDialogs : public FakeCom<IAMVfwCompressDialogs> {
 public:
  using FakeCom::FakeCom;

  bool hasConfig = true;          // the query form of ShowDialog answers S_OK, else S_FALSE
  std::vector<BYTE> state;        // what GetState hands out and SetState keeps
  std::vector<BYTE> afterDialog;  // the state the configuration dialog leaves, when not empty

  // Logged as "ShowDialog(dialog, owner)"; the configuration dialog takes afterDialog.
  HRESULT STDMETHODCALLTYPE ShowDialog(int dialog, HWND owner) override;
  // Logged as "GetState(null|out, size)": the size query, then the copy.
  HRESULT STDMETHODCALLTYPE GetState(LPVOID data, int* size) override;
  // Logged as "SetState(size, first byte)".
  HRESULT STDMETHODCALLTYPE SetState(LPVOID data, int size) override;
  FAKES_NOT_IMPLEMENTED(SendDriverMessage, (int, long, long))
};

class FakeFormatChooser : public AudioFormatChooserSeam {
 public:
  explicit FakeFormatChooser(ComKit& kit) : kit_(kit) {}

  DWORD largest = 50;           // acmMetrics' largest format size
  std::vector<BYTE> chosen;     // written into the record's buffer on success; empty: left as it is
  std::vector<BYTE> shownWith;  // the buffer as the dialog received it

  // "acm.acmMetrics(ACM_METRIC_MAX_SIZE_FORMAT)"; a failure rule answers MMSYSERR_ERROR.
  MMRESULT maxFormatSize(DWORD& size) override;
  // "acm.acmFormatChooseA(cbStruct, fdwStyle, owner, cbwfx, fdwEnum)"; a failure rule cancels.
  MMRESULT choose(ACMFORMATCHOOSEA& choice) override;

 private:
  ComKit& kit_;
};

}  // namespace fakes
