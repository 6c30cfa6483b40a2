#include "win_mixer_port.h"

#include <algorithm>
#include <cwchar>

#include "winui/text.h"

namespace {

// The details record of one value of a control, all channels alike.
MIXERCONTROLDETAILS oneValue(uint32_t controlId, void* value, DWORD size) {
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = controlId;
  details.cChannels = 1;
  details.cMultipleItems = 0;
  details.cbDetails = size;
  details.paDetails = value;
  return details;
}

}  // namespace

WinMixerPort::~WinMixerPort() {
  if (opened_) api_.close(mixer_);
}

void WinMixerPort::open(uint64_t window) {
  // Each failure ends the opening silently: without a mixer the object only answers that it
  // has none.
  if (opened_ || api_.getNumDevs() == 0) return;
  if (api_.open(&mixer_, 0, static_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW) != MMSYSERR_NOERROR) return;
  opened_ = true;
  // A mixer other than the first is no failure worth acting on: the lines are read either way.
  UINT id = 0;
  api_.getId(object(), &id, MIXER_OBJECTF_HMIXER);
}

std::optional<DWORD> WinMixerPort::controlId(DWORD lineId, DWORD controlType) {
  MIXERCONTROLW control{};
  control.cbStruct = sizeof control;
  MIXERLINECONTROLSW controls{};
  controls.cbStruct = sizeof controls;
  controls.dwLineID = lineId;
  controls.dwControlType = controlType;
  controls.cControls = 1;
  controls.cbmxctrl = sizeof control;
  controls.pamxctrl = &control;
  if (api_.getLineControls(object(), &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
      MMSYSERR_NOERROR)
    return std::nullopt;
  return control.dwControlID;
}

bool WinMixerPort::readControls(const MIXERLINEW& line, MixerLine& out) {
  const std::optional<DWORD> volume = controlId(line.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME);
  if (!volume) return false;
  const std::optional<DWORD> mute = controlId(line.dwLineID, MIXERCONTROL_CONTROLTYPE_MUTE);
  if (!mute) return false;
  out.name = winui::narrow(std::wstring_view(line.szName, wcsnlen(line.szName, MIXER_LONG_NAME_CHARS)));
  out.volumeId = *volume;
  out.muteId = *mute;
  return true;
}

std::optional<std::vector<MixerLine>> WinMixerPort::readLines() {
  if (!opened_) return std::nullopt;
  MIXERLINEW destination{};
  destination.cbStruct = sizeof destination;
  destination.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
  if (api_.getLineInfo(object(), &destination, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
      MMSYSERR_NOERROR)
    return std::nullopt;
  std::vector<MixerLine> lines(1);
  if (!readControls(destination, lines[0])) return std::nullopt;
  // No mixer has this many lines; a driver that says so is not believed beyond the limit.
  const DWORD sources = std::min<DWORD>(destination.cConnections, kMaxMixerLines - 1);
  for (DWORD i = 0; i < sources; ++i) {
    MIXERLINEW source{};
    source.cbStruct = sizeof source;
    source.dwDestination = destination.dwDestination;
    source.dwSource = i;
    if (api_.getLineInfo(object(), &source, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_SOURCE) != MMSYSERR_NOERROR)
      return std::nullopt;
    if (!readControls(source, lines.emplace_back())) return std::nullopt;
  }
  return lines;
}

bool WinMixerPort::readValue(uint32_t controlId, void* value, DWORD size) {
  if (!opened_) return false;
  MIXERCONTROLDETAILS details = oneValue(controlId, value, size);
  return api_.getControlDetails(object(), &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) ==
         MMSYSERR_NOERROR;
}

void WinMixerPort::writeValue(uint32_t controlId, void* value, DWORD size) {
  if (!opened_) return;
  MIXERCONTROLDETAILS details = oneValue(controlId, value, size);
  api_.setControlDetails(object(), &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE);
}

std::optional<uint32_t> WinMixerPort::getVolume(uint32_t controlId) {
  MIXERCONTROLDETAILS_UNSIGNED value{};
  if (!readValue(controlId, &value, sizeof value)) return std::nullopt;
  return value.dwValue;
}

std::optional<bool> WinMixerPort::getMute(uint32_t controlId) {
  MIXERCONTROLDETAILS_BOOLEAN value{};
  if (!readValue(controlId, &value, sizeof value)) return std::nullopt;
  return value.fValue != 0;
}

void WinMixerPort::setVolume(uint32_t controlId, uint32_t volume) {
  MIXERCONTROLDETAILS_UNSIGNED value{volume};
  writeValue(controlId, &value, sizeof value);
}

void WinMixerPort::setMute(uint32_t controlId, bool mute) {
  MIXERCONTROLDETAILS_BOOLEAN value{mute ? 1 : 0};
  writeValue(controlId, &value, sizeof value);
}
