// The rules the channel editor applies to the rows the engine reports before anything goes to
// the engine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reply_blocks.h"

namespace channels {

// One row as the list shows it (the engine's kind-2 block): name, key ("C" Composite, "S"
// S-Video), tuning ("Composit", "S-Video" for those) and input ("アンテナ" or "ケーブル").
using ChannelRow = ::ChannelRow;

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
