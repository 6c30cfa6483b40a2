#include "mixer_api.h"

namespace {

class SystemMixerApi : public MixerApi {
 public:
  UINT getNumDevs() override { return mixerGetNumDevs(); }
  MMRESULT open(HMIXER* mixer, UINT device, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) override {
    return mixerOpen(mixer, device, callback, instance, flags);
  }
  MMRESULT close(HMIXER mixer) override { return mixerClose(mixer); }
  MMRESULT getId(HMIXEROBJ object, UINT* id, DWORD flags) override { return mixerGetID(object, id, flags); }
  MMRESULT getLineInfo(HMIXEROBJ object, MIXERLINEW* line, DWORD flags) override {
    return mixerGetLineInfoW(object, line, flags);
  }
  MMRESULT getLineControls(HMIXEROBJ object, MIXERLINECONTROLSW* controls, DWORD flags) override {
    return mixerGetLineControlsW(object, controls, flags);
  }
  MMRESULT getControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags) override {
    return mixerGetControlDetailsW(object, details, flags);
  }
  MMRESULT setControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags) override {
    return mixerSetControlDetails(object, details, flags);
  }
};

}  // namespace

MixerApi& systemMixerApi() {
  static SystemMixerApi api;
  return api;
}
