// The one road to the multimedia mixer functions: the engine calls the system's, tests hand in
// a fake that records every call. The wide-character forms are used, so that line names reach
// the engine as UTF-16 and are converted to Shift-JIS explicitly.
#pragma once

#include <windows.h>
#include <mmsystem.h>

class MixerApi {
 public:
  virtual ~MixerApi() = default;
  virtual UINT getNumDevs() = 0;
  virtual MMRESULT open(HMIXER* mixer, UINT device, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) = 0;
  virtual MMRESULT close(HMIXER mixer) = 0;
  virtual MMRESULT getId(HMIXEROBJ object, UINT* id, DWORD flags) = 0;
  virtual MMRESULT getLineInfo(HMIXEROBJ object, MIXERLINEW* line, DWORD flags) = 0;
  virtual MMRESULT getLineControls(HMIXEROBJ object, MIXERLINECONTROLSW* controls, DWORD flags) = 0;
  virtual MMRESULT getControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags) = 0;
  virtual MMRESULT setControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags) = 0;
};

// The system's mixer functions.
MixerApi& systemMixerApi();
