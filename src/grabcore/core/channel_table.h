// The tuner's channel table: the ordered channels, the current one, the input type of the first
// run and the card's ranges, with the edits the front end's channel editor sends and the blocks
// with which the engine reports the table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/tuner_file.h"

constexpr int16_t kCompositeTuning = -1;
constexpr int16_t kSVideoTuning = -2;

struct ChannelSet {
  uint16_t key = 0;
  int16_t tuning = 0;  // the physical channel; kCompositeTuning / kSVideoTuning for the inputs
  std::string name;
  uint8_t inputType = 1;  // 1 antenna, 0 cable
  bool operator==(const ChannelSet&) const = default;
};

// "ANT" names the antenna, any other word the cable.
uint8_t inputTypeOfWord(const std::string& word);

class ChannelTable {
 public:
  std::vector<ChannelSet> channels;
  uint8_t inputType = 1;
  int32_t antennaMin = 1;
  int32_t antennaMax = 10;
  int32_t cableMin = 1;
  int32_t cableMax = 10;

  int32_t rangeMin(uint8_t type) const { return type == 1 ? antennaMin : cableMin; }
  int32_t rangeMax(uint8_t type) const { return type == 1 ? antennaMax : cableMax; }

  // The current entry, or none for an empty table.
  const ChannelSet* current() const;
  std::optional<size_t> currentIndex() const;
  void setCurrent(size_t index);

  // The key a found channel takes: the channel itself when free, else the smallest free k >= 1.
  uint16_t freeKeyFor(int32_t channel) const;
  // The smallest k >= 1 that no entry holds.
  uint16_t smallestFreeKey() const;
  // Empties the table; it then has no current entry.
  void clear();
  // Appends a channel found by the scan: free key, named "<c>CH".
  void appendFound(int32_t channel, uint8_t type);
  void appendInputs();

  // Makes the first entry with the key current; false when none has it.
  bool selectKey(uint16_t key);
  // Steps the current position by one, wrapping; false for an empty table.
  bool step(int direction);

  // The editor's operations; each is ignored (false) unless 0 <= index < n.
  bool changeValue(size_t index, const std::string& name, uint16_t key, int16_t tuning, uint8_t type);
  bool moveUp(size_t index);
  bool moveDown(size_t index);
  bool remove(size_t index);
  // Inserts before index and makes the new entry current with the smallest key of
  // rangeMin(type)..rangeMax(type)-1 that no other entry holds; returns those free keys.
  // With none of them free, the key and the one number returned are smallestFreeKey().
  // Nothing is inserted (none) when the index is out of the table.
  std::optional<std::vector<uint16_t>> insert(size_t index, const std::string& name, int16_t tuning, uint8_t type);

  // Copy-data blocks: kind 1 (text with its NUL), 2, 4.
  std::vector<uint8_t> captionBlock(const std::string* text) const;
  std::vector<uint8_t> channelListBlock() const;
  std::vector<uint8_t> freeChannelsBlock(uint8_t type) const;
  static std::vector<uint8_t> numbersBlock(const std::vector<uint16_t>& numbers);

  // The two files' contents and loading from them (the type records may be absent).
  tavora::TunerFile toFile() const;
  std::vector<tavora::TunerTypeRecord> typeRecords() const;
  void load(const tavora::TunerFile& file, const std::vector<tavora::TunerTypeRecord>& records);

 private:
  void append(ChannelSet channel);
  bool keyUsedByOther(uint16_t key, std::optional<size_t> except) const;
  // rangeMin(type)..last, less the keys of the entries other than except.
  std::vector<uint16_t> freeKeys(uint8_t type, int32_t last, std::optional<size_t> except) const;
  std::optional<size_t> current_;
};
