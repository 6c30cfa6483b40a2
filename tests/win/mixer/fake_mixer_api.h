// A mixer behind the mixer-function seam: one device with a speakers destination and its
// sources, each with chosen controls. Every call is logged with the fields the code filled in;
// a record whose size is not that of this build's structure is refused as the system does.
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
  // The handle the fake hands out.
  static constexpr uintptr_t kHandle = 0x4d00;

  UINT devices = 1;
  MMRESULT openResult = MMSYSERR_NOERROR;
  UINT mixerId = 0;
  DWORD destinationIndex = 0;
  FakeLine destination;
  std::vector<FakeLine> sources;
  std::map<DWORD, DWORD> values;         // control identifier -> value
  std::set<std::string> failing;         // method names that answer MMSYSERR_ERROR
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
  MMRESULT log(const std::string& method, const std::string& args);
  const FakeLine* lineById(DWORD lineId) const;
  MMRESULT details(const char* method, HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags, bool set);
};

}  // namespace mixertest
