// The channel editor's rows as the engine reports them (copy-data kinds 2 to 4), and the rules
// the editor applies to them before anything goes to the engine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace channels {

// One row as the list shows it: name, key ("C" Composite, "S" S-Video), tuning ("Composit",
// "S-Video" for those) and input ("アンテナ" or "ケーブル").
struct ChannelRow {
  std::string name;
  std::string key;
  std::string tuning;
  std::string input;
  bool operator==(const ChannelRow&) const = default;
};

struct TuningRange {
  int32_t min = 1;
  int32_t max = 62;
};

// Composite or S-Video: no key, tuning or input of their own.
bool isExternalInput(const ChannelRow& row);
bool isCable(const ChannelRow& row);
// The key the engine knows the row by: -1 Composite, -2 S-Video (sent as 65535, 65534).
std::optional<int> rowKey(const ChannelRow& row);
// The tuning number of the row: -1, -2 for the external inputs.
std::optional<int> rowTuning(const ChannelRow& row);

// Copy-data blocks, checked against their size: a count or string running past the block, or
// bytes left over, make the block unusable.
struct ChannelList {
  int32_t current = -1;
  std::vector<ChannelRow> rows;
};
std::optional<ChannelList> readChannelList(const void* data, size_t size);
struct KeyChoice {
  int32_t position = 0;  // of the current entry's key; the count when absent
  std::vector<std::string> keys;
};
std::optional<KeyChoice> readFreeChannels(const void* data, size_t size);
std::optional<std::vector<std::string>> readChannelNumbers(const void* data, size_t size);

// A tuning entry of the editor.
enum class TuningKind { empty, composite, sVideo, inRange, outOfRange, notNumber };
struct TuningEntry {
  TuningKind kind = TuningKind::notNumber;
  int value = 0;
};
TuningEntry readTuning(std::string_view text, TuningRange range);
// Into the range: a tuner given a channel outside it can fail.
int clampTuning(int tuning, TuningRange range);

// The name goes to the engine between double quotes, so it may hold none.
bool nameAllowed(std::string_view name);

// Swaps the row with its neighbour (step -1 up, +1 down); the row's new index, or -1 when
// there is no such neighbour (nothing changed).
int moveRow(std::vector<ChannelRow>& rows, int index, int step);
// The row selected after deleting row `removed` of `countBefore` rows.
int selectionAfterDelete(int countBefore, int removed);

}  // namespace channels
