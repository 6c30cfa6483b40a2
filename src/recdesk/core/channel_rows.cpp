#include "channel_rows.h"

#include <charconv>
#include <utility>

#include "common/bytes.h"
#include "recdesk/texts/options_pages_texts.h"

namespace channels {

namespace {

std::optional<int> number(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
  return value;
}

// int32 m, then m strings; false when the block cannot hold them.
bool readStrings(tavora::ByteReader& in, std::vector<std::string>& out, size_t perItem) {
  const int32_t count = in.i32();
  if (!in.ok() || count < 0 || static_cast<size_t>(count) * perItem > in.remaining()) return false;
  out.reserve(static_cast<size_t>(count) * perItem);
  for (size_t i = 0; i < static_cast<size_t>(count) * perItem; ++i) {
    out.push_back(in.cstr());
    if (!in.ok()) return false;
  }
  return true;
}

}  // namespace

bool isExternalInput(const ChannelRow& row) {
  return row.key == texts::kKeyComposite || row.key == texts::kKeySVideo;
}

bool isCable(const ChannelRow& row) { return row.input != texts::kInputAntenna; }

std::optional<int> rowKey(const ChannelRow& row) {
  if (row.key == texts::kKeyComposite) return -1;
  if (row.key == texts::kKeySVideo) return -2;
  const auto key = number(row.key);
  if (!key || *key < 0 || *key > 65535) return std::nullopt;
  return key;
}

std::optional<int> rowTuning(const ChannelRow& row) {
  if (row.tuning == texts::kTuningComposite) return -1;
  if (row.tuning == texts::kTuningSVideo) return -2;
  return number(row.tuning);
}

std::optional<ChannelList> readChannelList(const void* data, size_t size) {
  tavora::ByteReader in(data, size);
  ChannelList list;
  list.current = in.i32();
  std::vector<std::string> fields;
  if (!readStrings(in, fields, 4) || !in.atEnd()) return std::nullopt;
  for (size_t i = 0; i < fields.size(); i += 4)
    list.rows.push_back({std::move(fields[i]), std::move(fields[i + 1]), std::move(fields[i + 2]),
                         std::move(fields[i + 3])});
  return list;
}

std::optional<KeyChoice> readFreeChannels(const void* data, size_t size) {
  tavora::ByteReader in(data, size);
  KeyChoice choice;
  choice.position = in.i32();
  if (!readStrings(in, choice.keys, 1) || !in.atEnd()) return std::nullopt;
  return choice;
}

std::optional<std::vector<std::string>> readChannelNumbers(const void* data, size_t size) {
  tavora::ByteReader in(data, size);
  std::vector<std::string> keys;
  if (!readStrings(in, keys, 1) || !in.atEnd()) return std::nullopt;
  return keys;
}

TuningEntry readTuning(std::string_view text, TuningRange range) {
  if (text.empty()) return {TuningKind::empty, 0};
  if (text == texts::kTuningComposite) return {TuningKind::composite, -1};
  if (text == texts::kTuningSVideo) return {TuningKind::sVideo, -2};
  const auto value = number(text);
  if (!value) return {TuningKind::notNumber, 0};
  if (*value < range.min || *value > range.max) return {TuningKind::outOfRange, *value};
  return {TuningKind::inRange, *value};
}

int clampTuning(int tuning, TuningRange range) {
  if (tuning > range.max) tuning = range.max;
  if (tuning < range.min) tuning = range.min;
  return tuning;
}

bool nameAllowed(std::string_view name) { return name.find('"') == std::string_view::npos; }

int moveRow(std::vector<ChannelRow>& rows, int index, int step) {
  const int other = index + step;
  const int count = static_cast<int>(rows.size());
  if (index < 0 || index >= count || other < 0 || other >= count) return -1;
  std::swap(rows[static_cast<size_t>(index)], rows[static_cast<size_t>(other)]);
  return other;
}

int selectionAfterDelete(int countBefore, int removed) { return removed < countBefore - 1 ? removed : removed - 1; }

}  // namespace channels
