// A mixer behind the mixer-function seam: one device whose speakers destination (lines[0]) has
// the other lines as sources. Every call is logged with the fields the code filled in; a record
// whose size is not that of this build's structure is refused, as the system does.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "grabcore/win/mixer_api.h"

namespace mixertest {

struct FakeLine {
  std::wstring name;
  DWORD lineId = 0;
  std::map<DWORD, DWORD> controls;  // control type -> control identifier
};

class FakeMixerApi : public MixerApi {
 public:
  UINT devices = 1;
  MMRESULT openResult = MMSYSERR_NOERROR;
  std::vector<FakeLine> lines;
  std::map<DWORD, DWORD> values;  // control identifier -> value
  std::set<std::string> failing;  // calls that answer MMSYSERR_ERROR
  std::vector<std::string> calls;

  UINT getNumDevs() override;
  MMRESULT open(HMIXER* mixer, UINT device, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) override;
  MMRESULT close(HMIXER mixer) override;
  MMRESULT getId(HMIXEROBJ object, UINT* id, DWORD flags) override;
  MMRESULT getLineInfo(HMIXEROBJ object, MIXERLINEW* line, DWORD flags) override;
  MMRESULT getLineControls(HMIXEROBJ object, MIXERLINECONTROLSW* controls, DWORD flags) override;
  MMRESULT getControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags) override;
  MMRESULT setControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags) override;

  // The calls since the last take.
  std::vector<std::string> take();

 private:
  // Logs "call handle flags fields..."; answers whether the call goes through.
  bool log(const char* call, const void* handle, DWORD flags, const std::string& fields);
  MMRESULT details(const char* call, HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags, bool set);
};

}  // namespace mixertest
