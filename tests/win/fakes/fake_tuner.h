// A fake TV tuner (IAMTVTuner) and crossbar (IAMCrossbar). Each stands beside a fake filter
// that answers IBaseFilter for it, as a card's driver filter does, so the graph and its names
// see the filter while the code tunes and routes through the control.
#pragma once

#include <set>
#include <utility>
#include <vector>

#include "fake_com.h"
#include "fake_filter.h"

namespace fakes {

template <>
struct Iids<IAMTVTuner> {
  static std::vector<const IID*> get() { return {&IID_IAMTVTuner, &IID_IAMTuner}; }
};
template <>
struct Iids<IAMCrossbar> {
  static std::vector<const IID*> get() { return {&IID_IAMCrossbar}; }
};

// Answers the filter's interfaces through the companion filter.
template <class Control>
class FakeFilterControl : public FakeCom<Control> {
 public:
  FakeFilterControl(ComKit& kit, std::wstring name)
      : FakeCom<Control>(kit, name), filter(kit.make<FakeFilter>(name + L".filter")) {
    filter->friendlyName = name;
  }
  FakeFilter* filter;
  HRESULT queryQuietly(REFIID iid, void** result) override {
    if (iid == IID_IBaseFilter || iid == IID_IMediaFilter || iid == IID_IPersist)
      return filter->queryQuietly(iid, result);
    return FakeCom<Control>::queryQuietly(iid, result);
  }
};

class FakeTuner : public FakeFilterControl<IAMTVTuner> {
 public:
  using FakeFilterControl::FakeFilterControl;

  std::pair<long, long> antennaRange{1, 3};
  std::pair<long, long> cableRange{1, 4};
  std::set<long> signals;  // channels where AutoTune finds a signal
  long mode = 0, inputType = -1, channel = 0;

  // IAMTuner
  HRESULT STDMETHODCALLTYPE put_Channel(long channel, long video, long audio) override;
  FAKES_NOT_IMPLEMENTED(get_Channel, (long*, long*, long*))
  HRESULT STDMETHODCALLTYPE ChannelMinMax(long* min, long* max) override;
  FAKES_NOT_IMPLEMENTED(put_CountryCode, (long))
  FAKES_NOT_IMPLEMENTED(get_CountryCode, (long*))
  FAKES_NOT_IMPLEMENTED(put_TuningSpace, (long))
  FAKES_NOT_IMPLEMENTED(get_TuningSpace, (long*))
  FAKES_NOT_IMPLEMENTED(Logon, (HANDLE))
  FAKES_NOT_IMPLEMENTED(Logout, ())
  FAKES_NOT_IMPLEMENTED(SignalPresent, (long*))
  HRESULT STDMETHODCALLTYPE put_Mode(AMTunerModeType mode) override;
  FAKES_NOT_IMPLEMENTED(get_Mode, (AMTunerModeType*))
  FAKES_NOT_IMPLEMENTED(GetAvailableModes, (long*))
  FAKES_NOT_IMPLEMENTED(RegisterNotificationCallBack, (IAMTunerNotification*, long))
  FAKES_NOT_IMPLEMENTED(UnRegisterNotificationCallBack, (IAMTunerNotification*))
  // IAMTVTuner
  FAKES_NOT_IMPLEMENTED(get_AvailableTVFormats, (long*))
  FAKES_NOT_IMPLEMENTED(get_TVFormat, (long*))
  // A failing call still writes a nonzero signal, as a careless driver may.
  HRESULT STDMETHODCALLTYPE AutoTune(long channel, long* found) override;
  FAKES_NOT_IMPLEMENTED(StoreAutoTune, ())
  FAKES_NOT_IMPLEMENTED(get_NumInputConnections, (long*))
  HRESULT STDMETHODCALLTYPE put_InputType(long index, TunerInputType type) override;
  FAKES_NOT_IMPLEMENTED(get_InputType, (long, TunerInputType*))
  FAKES_NOT_IMPLEMENTED(put_ConnectInput, (long))
  FAKES_NOT_IMPLEMENTED(get_ConnectInput, (long*))
  FAKES_NOT_IMPLEMENTED(get_VideoFrequency, (long*))
  FAKES_NOT_IMPLEMENTED(get_AudioFrequency, (long*))
};

class FakeCrossbar : public FakeFilterControl<IAMCrossbar> {
 public:
  using FakeFilterControl::FakeFilterControl;

  std::vector<std::pair<long, long>> routes;  // (output, input) in order

  FAKES_NOT_IMPLEMENTED(get_PinCounts, (long*, long*))
  FAKES_NOT_IMPLEMENTED(CanRoute, (long, long))
  HRESULT STDMETHODCALLTYPE Route(long output, long input) override;
  FAKES_NOT_IMPLEMENTED(get_IsRoutedTo, (long, long*))
  FAKES_NOT_IMPLEMENTED(get_CrossbarPinInfo, (BOOL, long, long*, long*))
};

}  // namespace fakes
