#include "fake_tuner.h"

namespace fakes {

HRESULT FakeTuner::put_Channel(long value, long video, long audio) {
  HRESULT hr = record(L"put_Channel", {num(value), num(video), num(audio)});
  if (hr == S_OK) channel = value;
  return hr;
}

HRESULT FakeTuner::ChannelMinMax(long* min, long* max) {
  HRESULT hr = record(L"ChannelMinMax");
  if (hr != S_OK) return hr;
  if (!min || !max) return E_POINTER;
  const std::pair<long, long>& range = inputType == TunerInputAntenna ? antennaRange : cableRange;
  *min = range.first;
  *max = range.second;
  return S_OK;
}

HRESULT FakeTuner::put_Mode(AMTunerModeType value) { return setter(L"put_Mode", mode, static_cast<long>(value)); }

HRESULT FakeTuner::AutoTune(long value, long* found) {
  HRESULT hr = record(L"AutoTune", {num(value)});
  if (!found) return E_POINTER;
  *found = hr != S_OK || signals.count(value) ? 1 : 0;
  return hr;
}

HRESULT FakeTuner::put_InputType(long index, TunerInputType type) {
  HRESULT hr = record(L"put_InputType", {num(index), num(type)});
  if (hr == S_OK) inputType = type;
  return hr;
}

HRESULT FakeCrossbar::Route(long output, long input) {
  HRESULT hr = record(L"Route", {num(output), num(input)});
  if (hr == S_OK) routes.emplace_back(output, input);
  return hr;
}

}  // namespace fakes
