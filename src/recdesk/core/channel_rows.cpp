#include "channel_rows.h"

#include <charconv>
#include <utility>

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
