// Readers of the engine's copy-data blocks for the options dialog (kinds 2 to 6): 32-bit counts
// and NUL-ended Shift-JIS strings. A block whose counts, strings and size do not agree is
// refused whole, so a damaged block changes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Kinds 3, 5 and 6: int32 n, then n strings.
std::optional<std::vector<std::string>> readNameBlock(const void* data, size_t size);

// Kind 4: the position of the edited channel's key in the list (the count when absent), then
// the list as kind 3 has it.
struct FreeChannelsBlock {
  int32_t index = 0;
  std::vector<std::string> keys;
};
std::optional<FreeChannelsBlock> readFreeChannelsBlock(const void* data, size_t size);

// Kind 2: the current entry's position, then per channel its name, key, tuning and input.
struct ChannelRow {
  std::string name, key, tuning, input;
};
struct ChannelListBlock {
  int32_t current = 0;
  std::vector<ChannelRow> rows;
};
std::optional<ChannelListBlock> readChannelListBlock(const void* data, size_t size);
