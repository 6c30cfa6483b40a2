#include "fake_mixer_api.h"

#include <cstdio>
#include <cwchar>

namespace mixertest {

namespace {

std::string hex(uintptr_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
  return text;
}

std::string handle(const void* object) { return hex(reinterpret_cast<uintptr_t>(object)); }

void fill(MIXERLINEW* out, const FakeLine& line, DWORD destination, DWORD source, DWORD connections) {
  wcsncpy(out->szName, line.name.c_str(), MIXER_LONG_NAME_CHARS - 1);
  out->dwLineID = line.lineId;
  out->dwDestination = destination;
  out->dwSource = source;
  out->cConnections = connections;
  out->cControls = static_cast<DWORD>(line.controls.size());
}

}  // namespace

MMRESULT FakeMixerApi::log(const std::string& method, const std::string& args) {
  calls.push_back(method + (args.empty() ? "" : " " + args));
  return failing.count(method) ? MMSYSERR_ERROR : MMSYSERR_NOERROR;
}

std::vector<std::string> FakeMixerApi::take() {
  std::vector<std::string> result = std::move(calls);
  calls.clear();
  return result;
}

UINT FakeMixerApi::getNumDevs() {
  log("getNumDevs", "");
  return devices;
}

MMRESULT FakeMixerApi::open(HMIXER* mixer, UINT device, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
  log("open", std::to_string(device) + " " + hex(callback) + " " + hex(instance) + " " + hex(flags));
  if (openResult != MMSYSERR_NOERROR) return openResult;
  *mixer = reinterpret_cast<HMIXER>(kHandle);
  return MMSYSERR_NOERROR;
}

MMRESULT FakeMixerApi::close(HMIXER mixer) { return log("close", handle(mixer)); }

MMRESULT FakeMixerApi::getId(HMIXEROBJ object, UINT* id, DWORD flags) {
  MMRESULT result = log("getId", handle(object) + " " + hex(flags));
  if (result == MMSYSERR_NOERROR) *id = mixerId;
  return result;
}

const FakeLine* FakeMixerApi::lineById(DWORD lineId) const {
  if (destination.lineId == lineId) return &destination;
  for (const FakeLine& line : sources)
    if (line.lineId == lineId) return &line;
  return nullptr;
}

MMRESULT FakeMixerApi::getLineInfo(HMIXEROBJ object, MIXERLINEW* line, DWORD flags) {
  const DWORD query = flags & MIXER_GETLINEINFOF_QUERYMASK;
  std::string args = handle(object) + " " + hex(flags);
  if (query == MIXER_GETLINEINFOF_COMPONENTTYPE) args += " type " + hex(line->dwComponentType);
  if (query == MIXER_GETLINEINFOF_SOURCE)
    args += " source " + std::to_string(line->dwDestination) + "." + std::to_string(line->dwSource);
  MMRESULT result = log("getLineInfo", args);
  if (result != MMSYSERR_NOERROR) return result;
  if (line->cbStruct != sizeof(MIXERLINEW)) return MMSYSERR_INVALPARAM;
  if (query == MIXER_GETLINEINFOF_COMPONENTTYPE && line->dwComponentType == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS) {
    fill(line, destination, destinationIndex, 0, static_cast<DWORD>(sources.size()));
    return MMSYSERR_NOERROR;
  }
  if (query == MIXER_GETLINEINFOF_SOURCE && line->dwDestination == destinationIndex &&
      line->dwSource < sources.size()) {
    fill(line, sources[line->dwSource], destinationIndex, line->dwSource, 0);
    return MMSYSERR_NOERROR;
  }
  return MIXERR_INVALLINE;
}

MMRESULT FakeMixerApi::getLineControls(HMIXEROBJ object, MIXERLINECONTROLSW* controls, DWORD flags) {
  MMRESULT result = log("getLineControls", handle(object) + " " + hex(flags) + " line " + hex(controls->dwLineID) +
                                               " type " + hex(controls->dwControlType) + " count " +
                                               std::to_string(controls->cControls));
  if (result != MMSYSERR_NOERROR) return result;
  if (controls->cbStruct != sizeof(MIXERLINECONTROLSW) || controls->cbmxctrl != sizeof(MIXERCONTROLW) ||
      controls->cControls != 1 || !controls->pamxctrl)
    return MMSYSERR_INVALPARAM;
  const FakeLine* line = lineById(controls->dwLineID);
  if (!line) return MIXERR_INVALLINE;
  auto it = line->controls.find(controls->dwControlType);
  if (it == line->controls.end()) return MIXERR_INVALCONTROL;
  controls->pamxctrl->dwControlID = it->second;
  controls->pamxctrl->dwControlType = it->first;
  return MMSYSERR_NOERROR;
}

MMRESULT FakeMixerApi::details(const char* method, HMIXEROBJ object, MIXERCONTROLDETAILS* details, DWORD flags,
                               bool set) {
  std::string args = handle(object) + " " + hex(flags) + " control " + hex(details->dwControlID) + " channels " +
                     std::to_string(details->cChannels) + " items " + std::to_string(details->cMultipleItems);
  const bool wellFormed = details->cbStruct == sizeof(MIXERCONTROLDETAILS) && details->cbDetails == sizeof(DWORD) &&
                          details->paDetails;
  if (set && wellFormed) args += " value " + std::to_string(*static_cast<DWORD*>(details->paDetails));
  MMRESULT result = log(method, args);
  if (result != MMSYSERR_NOERROR) return result;
  if (!wellFormed) return MMSYSERR_INVALPARAM;
  if (set)
    values[details->dwControlID] = *static_cast<DWORD*>(details->paDetails);
  else
    *static_cast<DWORD*>(details->paDetails) = values[details->dwControlID];
  return MMSYSERR_NOERROR;
}

MMRESULT FakeMixerApi::getControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* d, DWORD flags) {
  return details("getControlDetails", object, d, flags, false);
}

MMRESULT FakeMixerApi::setControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS* d, DWORD flags) {
  return details("setControlDetails", object, d, flags, true);
}

}  // namespace mixertest
