#include "options_rules.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "../../common/sjis.h"
#include "../texts/options_texts.h"

bool optionsRefused(bool recordDown, rsvTime::State state) {
  return recordDown || state == rsvTime::NOTICE || state == rsvTime::READY || state == rsvTime::REC;
}

int clampPicture(int32_t value) { return value < 0 ? 0 : value > 255 ? 255 : value; }

std::string audioFormatText(uint32_t rate, uint32_t blockAlignAndChannels) {
  const uint32_t blockAlign = blockAlignAndChannels & 0xFFFF;
  const uint32_t channels = blockAlignAndChannels >> 16;
  const std::string bits = channels == 0 ? "0" : std::to_string(blockAlign * 8 / channels);
  return std::to_string(rate) + "Hz, " + bits + "bit, " + (channels == 1 ? "Mono" : "Stereo");
}

std::string frameRateText(uint32_t low, uint32_t high) {
  const uint64_t bits = static_cast<uint64_t>(high) << 32 | low;
  double rate = 0;
  std::memcpy(&rate, &bits, sizeof(rate));
  char text[40];
  std::snprintf(text, sizeof(text), "%.15g", rate);
  return text;
}

std::string newProfileName(const std::vector<std::string>& items) {
  auto listed = [&](const std::string& name) {
    for (const std::string& item : items)
      if (item == name) return true;
    return false;
  };
  std::string name = texts::kNewProfile;
  for (int n = 1; listed(name); ++n) name = std::string(texts::kNewProfile) + "(" + std::to_string(n) + ")";
  return name;
}

bool sameFileName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (tavora::sjis::isLeadByte(x) && i + 1 < a.size()) {
      if (x != y || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    auto fold = [](unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; };
    if (fold(x) != fold(y)) return false;
  }
  return true;
}

RenameCheck checkRename(const std::vector<std::string>& items, int index, const std::string& name,
                        const std::vector<std::string>& files) {
  if (name.empty()) return RenameCheck::empty;
  const std::string builtIn = texts::kBuiltInProfile;
  const std::string own = index >= 0 && static_cast<size_t>(index) < items.size() ? items[index] : std::string();
  if (name == builtIn || own == builtIn) return RenameCheck::builtIn;
  for (size_t i = 0; i < items.size(); ++i)
    if (static_cast<int>(i) != index && sameFileName(items[i], name)) return RenameCheck::taken;
  for (const std::string& file : files)
    if (sameFileName(file, name) && !sameFileName(file, own)) return RenameCheck::taken;
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (tavora::sjis::isLeadByte(c)) {
      // A lead byte with no trail byte is no character at all.
      if (i + 1 >= name.size()) return RenameCheck::badCharacter;
      ++i;
      continue;
    }
    if (c < 0x20 || std::strchr("\\/:*?\"<>|", c)) return RenameCheck::badCharacter;
  }
  return RenameCheck::ok;
}

std::optional<int32_t> integerText(const std::string& text) {
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
  if (i >= text.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<int32_t>(value);
}
