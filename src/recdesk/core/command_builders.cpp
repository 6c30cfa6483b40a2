// The engine command lines that the recorder builds (object names, labels and named numbers
// are those the command files use).
#include <cstdint>
#include <string>

#include "ds_control.h"

namespace {

// Channel keys and tuning numbers travel as unsigned 16-bit numbers: -1 is "65535".
std::string u16(int value) { return std::to_string(static_cast<uint16_t>(value)); }

const char* input(bool cable) { return cable ? " CBL" : " ANT"; }

}  // namespace

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

void dsControl::setChannel(int key) {
  setMute(true);
  execOneLine("tune setCh " + u16(key));
}

void dsControl::resetChannel() {
  setMute(true);
  execOneLine("tune setCh");
}

// Channel names are quoted: a blank in one would shift the key and tuning.
void dsControl::changeChannel(int row, const std::string& name, int key, int tuning, bool cable) {
  execOneLine("tune changeChValue " + std::to_string(row) + " " + quoted(name) + " " + u16(key) + " " + u16(tuning) +
              input(cable));
}

void dsControl::addChannel(int row, const std::string& name, int tuning, bool cable) {
  execOneLine("tune addChToList " + std::to_string(row) + " " + quoted(name) + " " + u16(tuning) + input(cable));
}

void dsControl::deleteChannel(int row) { execOneLine("tune delChFromList " + std::to_string(row)); }

void dsControl::sendPanelNumbers() {
  const PanelGeometry panel = view_.videoPanel();
  addDWORD("form", panel.window);
  addDWORD("width", panel.width);
  addDWORD("height", panel.height);
}

void dsControl::prepareRecording(const std::string& quality, const std::string& file) {
  ++previewEpoch_;
  sendPanelNumbers();
  execCmdFile("record1z.cmd");
  recordingGraph(quality, file);
}

void dsControl::prepareManualRecording(const std::string& quality, const std::string& file) {
  ++previewEpoch_;
  // Out of the preview first, as the way back to it does.
  execOneLine("mix getSysVolMute");
  setMute(true);
  execOneLine("clean filterSet");
  execOneLine("tune nukeWithoutNeeds cFg");
  recordingGraph(quality, file);
}

void dsControl::recordingGraph(const std::string& quality, const std::string& file) {
  execCmdFile("record1a.cmd");
  // Profile names are quoted: a name with a blank must stay one token.
  execOneLine("cVCap loadFormat " + quoted(quality));
  execOneLine("cACap create " + quoted(quality));
  execOneLine("cComp create " + quoted(quality));
  execOneLine("cCapBuild setFName " + quoted(file) + " " + std::to_string(view_.preallocMB()));
  sendPanelNumbers();
  execCmdFile("record1b.cmd");
  if (!view_.noPreviewWhileRecording()) execOneLine("cCapBuild renderPreview cVCap");
  execCmdFile("record1c.cmd");
  restoreSysVolMute();
}

void dsControl::startCapture() { execOneLine("cCapBuild captureStream on"); }

void dsControl::createMixer() {
  execOneLine("new SoundMixer mix");
  execOneLine("mix create form");
  execOneLine("mix getMute");
  execOneLine("mix getVolume");
  execOneLine("label setMixer");
  execOneLine("mix getSysVolMute");
  setMute(true);
}

void dsControl::setVolume(int n) { execOneLine("mix setVolume " + std::to_string(n)); }
void dsControl::getVolume() { execOneLine("mix getVolume"); }

void dsControl::setMute(bool on) {
  view_.countMuteEcho();
  execOneLine(on ? "mix setMute ON" : "mix setMute OFF");
}

void dsControl::getMute() { execOneLine("mix getMute"); }

void dsControl::restoreSysVolMute() {
  view_.countMuteEcho();
  view_.countVolumeEcho();
  execOneLine("mix setSysVolMute");
}

void dsControl::setWinSize(int w, int h) {
  execOneLine("cCapBuild setWinSize " + std::to_string(w) + " " + std::to_string(h));
}

void dsControl::setQuality(const std::string& name, int32_t v) {
  execOneLine("cVCap setQuality " + name + " " + std::to_string(v));
}

void dsControl::getQuality(const std::string& name) { execOneLine("cVCap getQuality " + name); }

void dsControl::cleanUp() {
  ++previewEpoch_;
  execOneLine("mix getSysVolMute");
  setMute(true);
  execOneLine("clean filterSet");
  execOneLine("tune nukeWithoutNeeds cFg");
  execOneLine("clean setMixer");
  restoreSysVolMute();
  execOneLine("clean");
}

void dsControl::sendMark(int n) { execOneLine("mark " + std::to_string(n)); }

void dsControl::firstPreview() {
  ++previewEpoch_;
  addDWORD("form", view_.viewWindow());
  createMixer();
  sendPanelNumbers();
  addArg("chForm", view_.viewObject());
  execCmdFile("preView.cmd");
}

void dsControl::backToPreview() {
  ++previewEpoch_;
  execOneLine("mix getSysVolMute");
  setMute(true);
  execOneLine("clean filterSet");
  execOneLine("tune nukeWithoutNeeds cFg");
  sendPanelNumbers();
  execCmdFile("preView3.cmd");
  restoreSysVolMute();
}
