#include "fake_mixer_api.h"

#include <cstdio>
#include <cwchar>
#include <utility>

namespace mixertest {

namespace {

std::string hex(uintptr_t value) {
  char text[24];
  snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
  return text;
}

constexpr uintptr_t kHandle = 0x4d00;

}  // namespace

bool FakeMixerApi::log(const char* call, const void* handle, DWORD flags, const std::string& fields) {
  calls.push_back(std::string(call) + " " + hex(reinterpret_cast<uintptr_t>(handle)) + " " + hex(flags) + fields);
  return failing.count(call) == 0;
}

std::vector<std::string> FakeMixerApi::take() { return std::exchange(calls, {}); }

UINT FakeMixerApi::getNumDevs() {
  calls.push_back("getNumDevs");
  return devices;
}

MMRESULT FakeMixerApi::open(HMIXER* mixer, UINT device, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
  log("open", reinterpret_cast<void*>(callback), flags, " device " + std::to_string(device) + " " + hex(instance));
  if (openResult == MMSYSERR_NOERROR) *mixer = reinterpret_cast<HMIXER>(kHandle);
  return openResult;
}

MMRESULT FakeMixerApi::close(HMIXER mixer) { return log("close", mixer, 0, "") ? 0 : MMSYSERR_ERROR; }

MMRESULT FakeMixerApi::getId(HMIXEROBJ object, UINT* id, DWORD flags) {
  *id = 0;
  return log("getId", object, flags, "") ? 0 : MMSYSERR_ERROR;
}

MMRESULT FakeMixerApi::getLineInfo(HMIXEROBJ object, MIXERLINEW* line, DWORD flags) {
  const bool byType = (flags & MIXER_GETLINEINFOF_QUERYMASK) == MIXER_GETLINEINFOF_COMPONENTTYPE;
  const std::string fields = byType ? " type " + hex(line->dwComponentType)
                                    : " source " + std::to_string(line->dwDestination) + "." +
                                          std::to_string(line->dwSource);
  if (!log("getLineInfo", object, flags, fields) || line->cbStruct != sizeof(MIXERLINEW)) return MMSYSERR_ERROR;
  const size_t index = byType ? 0 : line->dwSource + 1;
  if ((byType && line->dwComponentType != MIXERLINE_COMPONENTTYPE_DST_SPEAKERS) || line->dwDestination != 0 ||
      index >= lines.size())
    return MIXERR_INVALLINE;
  wcsncpy(line->szName, lines[index].name.c_str(), MIXER_LONG_NAME_CHARS - 1);
  line->dwLineID = lines[index].lineId;
  line->cConnections = byType ? static_cast<DWORD>(lines.size() - 1) : 0;
  return MMSYSERR_NOERROR;
}

MMRESULT FakeMixerApi::getLineControls(HMIXEROBJ object, MIXERLINECONTROLSW* controls, DWORD flags) {
  if (!log("getLineControls", object, flags,
           " line " + hex(controls->dwLineID) + " type " + hex(controls->dwControlType) + " count " +
               std::to_string(controls->cControls)) ||
      controls->cbStruct != sizeof(MIXERLINECONTROLSW) || controls->cbmxctrl != sizeof(MIXERCONTROLW))
    return MMSYSERR_ERROR;
  for (const FakeLine& line : lines) {
    auto it = line.controls.find(controls->dwControlType);
    if (line.lineId != controls->dwLineID || it == line.controls.end()) continue;
    controls->pamxctrl->dwControlID = it->second;
    return MMSYSERR_NOERROR;
  }
  return MIXERR_INVALCONTROL;
}

MMRESULT FakeMixerApi::details(const char* call, HMIXEROBJ object, MIXERCONTROLDETAILS* d, DWORD flags, bool set) {
  auto* value = static_cast<DWORD*>(d->paDetails);
  std::string fields = " control " + std::to_string(d->dwControlID) + " channels " + std::to_string(d->cChannels) +
                       " items " + std::to_string(d->cMultipleItems);
  if (set) fields += " value " + std::to_string(*value);
  if (!log(call, object, flags, fields) || d->cbStruct != sizeof(MIXERCONTROLDETAILS) || d->cbDetails != sizeof(DWORD))
    return MMSYSERR_ERROR;
  if (set)
    values[d->dwControlID] = *value;
  else
    *value = values[d->dwControlID];
  return MMSYSERR_NOERROR;
}

MMRESULT FakeMixerApi::getControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* d, DWORD flags) {
  return details("getControlDetails", object, d, flags, false);
}

MMRESULT FakeMixerApi::setControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* d, DWORD flags) {
  return details("setControlDetails", object, d, flags, true);
}

}  // namespace mixertest
