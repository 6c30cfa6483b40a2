#include "channel_table.h"

#include <algorithm>
#include <map>

#include "../texts/tuner_texts.h"
#include "common/bytes.h"

using tavora::ByteWriter;

namespace {

std::string numberText(uint16_t value) { return std::to_string(value); }

}  // namespace

uint8_t inputTypeOfWord(const std::string& word) { return word == "ANT" ? 1 : 0; }

const ChannelSet* ChannelTable::current() const { return current_ ? &channels[*current_] : nullptr; }

std::optional<size_t> ChannelTable::currentIndex() const { return current_; }

void ChannelTable::setCurrent(size_t index) {
  if (index < channels.size()) current_ = index;
}

bool ChannelTable::keyUsedByOther(uint16_t key, std::optional<size_t> except) const {
  for (size_t i = 0; i < channels.size(); ++i)
    if (channels[i].key == key && i != except) return true;
  return false;
}

uint16_t ChannelTable::freeKeyFor(int32_t channel) const {
  const uint16_t own = static_cast<uint16_t>(channel);
  return keyUsedByOther(own, std::nullopt) ? smallestFreeKey() : own;
}

uint16_t ChannelTable::smallestFreeKey() const {
  uint16_t k = 1;
  while (k != 0 && keyUsedByOther(k, std::nullopt)) ++k;
  return k;
}

void ChannelTable::clear() {
  channels.clear();
  current_.reset();
}

// A table that had no entry makes its first one current: a non-empty table always has one.
void ChannelTable::append(ChannelSet channel) {
  channels.push_back(std::move(channel));
  if (!current_) current_ = 0;
}

void ChannelTable::appendFound(int32_t channel, uint8_t type) {
  append({freeKeyFor(channel), static_cast<int16_t>(channel), std::to_string(channel) + texts::kTunerChannelSuffix,
          type});
}

void ChannelTable::appendInputs() {
  append({static_cast<uint16_t>(kCompositeTuning), kCompositeTuning, texts::kTunerComposite, 1});
  append({static_cast<uint16_t>(kSVideoTuning), kSVideoTuning, texts::kTunerSVideo, 1});
}

bool ChannelTable::selectKey(uint16_t key) {
  for (size_t i = 0; i < channels.size(); ++i) {
    if (channels[i].key == key) {
      current_ = i;
      return true;
    }
  }
  return false;
}

bool ChannelTable::step(int direction) {
  if (!current_) return false;
  const size_t n = channels.size();
  current_ = direction > 0 ? (*current_ + 1) % n : (*current_ + n - 1) % n;
  return true;
}

bool ChannelTable::changeValue(size_t index, const std::string& name, uint16_t key, int16_t tuning, uint8_t type) {
  if (index >= channels.size()) return false;
  channels[index] = {key, tuning, name, type};
  return true;
}

// The current position follows its entry through a swap.
bool ChannelTable::moveUp(size_t index) {
  if (index == 0 || index >= channels.size()) return false;
  std::swap(channels[index - 1], channels[index]);
  if (current_ == index) current_ = index - 1;
  else if (current_ == index - 1) current_ = index;
  return true;
}

bool ChannelTable::moveDown(size_t index) {
  if (index + 1 >= channels.size()) return false;
  return moveUp(index + 1);
}

bool ChannelTable::remove(size_t index) {
  if (index >= channels.size()) return false;
  channels.erase(channels.begin() + static_cast<std::ptrdiff_t>(index));
  if (channels.empty()) current_.reset();
  else if (!current_) current_ = 0;
  else if (*current_ > index || *current_ == channels.size()) --*current_;
  return true;
}

std::vector<uint16_t> ChannelTable::freeKeys(uint8_t type, int32_t last, std::optional<size_t> except) const {
  // Keys are 16-bit: a range a card reports beyond that offers nothing more.
  std::vector<uint16_t> keys;
  for (int64_t k = std::max<int64_t>(rangeMin(type), 0); k <= std::min<int64_t>(last, 0xFFFF); ++k)
    if (!keyUsedByOther(static_cast<uint16_t>(k), except)) keys.push_back(static_cast<uint16_t>(k));
  return keys;
}

std::optional<std::vector<uint16_t>> ChannelTable::insert(size_t index, const std::string& name, int16_t tuning,
                                                          uint8_t type) {
  if (index >= channels.size()) return std::nullopt;
  // The new entry is not in the table yet, so every present key counts as taken.
  std::vector<uint16_t> keys = freeKeys(type, rangeMax(type) - 1, std::nullopt);
  // The editor has already inserted its row at index: the entry goes in even when the range is
  // full, or the two lists would no longer match row for row.
  if (keys.empty()) keys.push_back(smallestFreeKey());
  channels.insert(channels.begin() + static_cast<std::ptrdiff_t>(index), {keys.front(), tuning, name, type});
  current_ = index;
  return keys;
}

std::vector<uint8_t> ChannelTable::captionBlock(const std::string* text) const {
  std::string caption = current_ ? channels[*current_].name : std::string();
  if (text) caption += " " + *text;
  ByteWriter w;
  w.cstr(caption);
  return w.take();
}

std::vector<uint8_t> ChannelTable::channelListBlock() const {
  ByteWriter w;
  w.i32(current_ ? static_cast<int32_t>(*current_) : -1);
  w.i32(static_cast<int32_t>(channels.size()));
  for (const ChannelSet& c : channels) {
    w.cstr(c.name);
    if (c.tuning == kCompositeTuning) {
      w.cstr("C");
      w.cstr(texts::kTunerComposite);
    } else if (c.tuning == kSVideoTuning) {
      w.cstr("S");
      w.cstr(texts::kTunerSVideo);
    } else {
      w.cstr(numberText(c.key));
      w.cstr(numberText(static_cast<uint16_t>(c.tuning)));
    }
    w.cstr(c.inputType == 1 ? texts::kTunerAntenna : texts::kTunerCable);
  }
  return w.take();
}

std::vector<uint8_t> ChannelTable::freeChannelsBlock(uint8_t type) const {
  const std::vector<uint16_t> keys = freeKeys(type, rangeMax(type), current_);
  size_t position = keys.size();
  if (current_) {
    auto found = std::find(keys.begin(), keys.end(), channels[*current_].key);
    if (found != keys.end()) position = static_cast<size_t>(found - keys.begin());
  }
  ByteWriter w;
  w.i32(static_cast<int32_t>(position));
  w.i32(static_cast<int32_t>(keys.size()));
  for (uint16_t k : keys) w.cstr(numberText(k));
  return w.take();
}

std::vector<uint8_t> ChannelTable::numbersBlock(const std::vector<uint16_t>& numbers) {
  ByteWriter w;
  w.i32(static_cast<int32_t>(numbers.size()));
  for (uint16_t k : numbers) w.cstr(numberText(k));
  return w.take();
}

tavora::TunerFile ChannelTable::toFile() const {
  tavora::TunerFile file;
  // An empty table keeps the key of no entry: Composite's, which a later load simply misses.
  file.currentKey = current_ ? channels[*current_].key : static_cast<uint16_t>(kCompositeTuning);
  file.inputType = inputType;
  file.antennaMin = static_cast<uint16_t>(antennaMin);
  file.antennaMax = static_cast<uint16_t>(antennaMax);
  file.cableMin = static_cast<uint16_t>(cableMin);
  file.cableMax = static_cast<uint16_t>(cableMax);
  for (const ChannelSet& c : channels) file.entries.push_back({c.key, c.tuning, c.name});
  return file;
}

std::vector<tavora::TunerTypeRecord> ChannelTable::typeRecords() const {
  std::vector<tavora::TunerTypeRecord> records;
  for (const ChannelSet& c : channels) records.push_back({c.key, c.inputType});
  return records;
}

void ChannelTable::load(const tavora::TunerFile& file, const std::vector<tavora::TunerTypeRecord>& records) {
  std::map<uint16_t, uint8_t> typeOfKey;
  for (const tavora::TunerTypeRecord& r : records) typeOfKey[r.key] = r.inputType;
  channels.clear();
  current_.reset();
  for (const tavora::TunerFileEntry& e : file.entries) {
    auto type = typeOfKey.find(e.key);
    channels.push_back({e.key, e.tuning, e.name, type != typeOfKey.end() ? type->second : file.inputType});
    if (e.key == file.currentKey) current_ = channels.size() - 1;
  }
  inputType = file.inputType;
  antennaMin = file.antennaMin;
  antennaMax = file.antennaMax;
  cableMin = file.cableMin;
  cableMax = file.cableMax;
  if (!current_ && !channels.empty()) current_ = 0;
}
