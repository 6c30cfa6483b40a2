#include "mixer_ctrl.h"

#include "../../common/messages.h"
#include "../texts/mixer_texts.h"
#include "common/fileio.h"

TMixerCtrl::TMixerCtrl(EngineHost& host, std::unique_ptr<MixerPort> port, std::string settingsPath)
    : host_(host), port_(std::move(port)), settingsPath_(std::move(settingsPath)) {}

TMixerCtrl::~TMixerCtrl() {
  // An object that never ran create knows nothing; it must not overwrite what an earlier one kept.
  if (!created_) return;
  MixerSettings settings;
  settings.valid = valid_;
  settings.position = valid_ ? static_cast<int32_t>(current_) : 0;
  settings.lines = lines_;
  if (!tavora::writeFileReplacing(settingsPath_, encodeMixerSettings(settings)))
    host_.showErrorDialog(texts::kMixerSettingsWriteFailed);
}

void TMixerCtrl::create(uint64_t window) {
  callbackWindow_ = window;
  created_ = true;
  port_->open(window);
  loadSettings();
  if (valid_)
    postLineIds();
  else
    host_.postToWindow(callbackWindow_, tvr::TVR_NOMIXER, 0, 0);
}

void TMixerCtrl::loadSettings() {
  // A second create starts from nothing again, so no line is listed twice.
  valid_ = false;
  lines_.clear();
  current_ = 0;
  std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(settingsPath_);
  std::optional<MixerSettings> stored = data ? decodeMixerSettings(*data) : std::nullopt;
  if (stored && stored->valid) {
    lines_ = std::move(stored->lines);
    const int32_t position = stored->position;
    current_ = position >= 0 && static_cast<size_t>(position) < lines_.size() ? static_cast<size_t>(position) : 0;
    valid_ = true;
    return;
  }
  // A file that knows no lines (a start without a sound card, say) is asked afresh each time,
  // so the mixer is found as soon as there is one.
  if (std::optional<std::vector<MixerLine>> found = port_->readLines(); found && !found->empty()) {
    lines_ = std::move(*found);
    valid_ = true;
  }
}

void TMixerCtrl::postLineIds() const {
  host_.postToWindow(callbackWindow_, tvr::TVR_MIXERIDS, line().volumeId, line().muteId);
}

void TMixerCtrl::selectLine(int32_t n) {
  if (!valid_ || n < 0 || static_cast<size_t>(n) >= lines_.size()) return;
  current_ = static_cast<size_t>(n);
  postLineIds();
}

std::optional<std::vector<uint8_t>> TMixerCtrl::lineNamesBlock() const {
  if (!valid_) return std::nullopt;
  return encodeMixerLineNames(lines_);
}

int32_t TMixerCtrl::currentLine() const { return valid_ ? static_cast<int32_t>(current_) : -1; }

void TMixerCtrl::setVolume(uint32_t volume) {
  if (valid_) port_->setVolume(line().volumeId, volume);
}

std::optional<uint32_t> TMixerCtrl::getVolume() {
  if (!valid_) return std::nullopt;
  return port_->getVolume(line().volumeId);
}

void TMixerCtrl::setMute(bool mute) {
  if (valid_) port_->setMute(line().muteId, mute);
}

std::optional<bool> TMixerCtrl::getMute() {
  if (!valid_) return std::nullopt;
  return port_->getMute(line().muteId);
}

void TMixerCtrl::storeLevels() {
  if (!valid_) return;
  if (std::optional<uint32_t> volume = getVolume()) storedVolume_ = volume;
  if (std::optional<bool> mute = getMute()) storedMute_ = mute;
}

void TMixerCtrl::restoreLevels() {
  if (!valid_) return;
  if (storedVolume_) setVolume(*storedVolume_);
  if (storedMute_) setMute(*storedMute_);
}
