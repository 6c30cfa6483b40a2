#include "options_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "../../common/fileio.h"
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

namespace {

// The character at i as one code (a double-byte character as lead << 8 | trail); i steps past it.
unsigned nextChar(const std::string& s, size_t& i) {
  const unsigned char c = static_cast<unsigned char>(s[i++]);
  if (!tavora::sjis::isLeadByte(c) || i >= s.size()) return c;
  return static_cast<unsigned>(c) << 8 | static_cast<unsigned char>(s[i++]);
}

// The upper case the file system compares by. Code page 932 holds the Roman numerals twice
// (NEC's and IBM's rows); both stand for one character.
unsigned upperCase(unsigned c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c >= 0x8281 && c <= 0x829A) return c - 0x21;  // full-width a-z
  if (c >= 0x83BF && c <= 0x83D6) return c - 0x20;  // Greek
  if (c >= 0x8470 && c <= 0x8491 && c != 0x847F) return 0x8440 + (c - 0x8470) - (c > 0x847F ? 1 : 0);  // Cyrillic
  if (c >= 0xEEEF && c <= 0xEEF8) return 0x8754 + (c - 0xEEEF);  // small Roman numerals
  if (c >= 0xFA40 && c <= 0xFA53) return 0x8754 + (c - 0xFA40) % 10;
  return c;
}

// Every file of a profile ends in one of these; ".vCompress" is the longest.
constexpr size_t kLongestExtension = 10;
constexpr size_t kMaxPath = 260;       // characters of a path, its terminating NUL included
constexpr size_t kMaxComponent = 255;  // characters of one file name

size_t characters(const std::string& s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); ++n) nextChar(s, i);
  return n;
}

bool deviceName(const std::string& name) {
  // Windows takes the part before the first dot, without the blanks at its end, for the device.
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(upperCase(static_cast<unsigned char>(c)));
  for (const char* device : {"CON", "PRN", "AUX", "NUL"})
    if (base == device) return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
         base[3] <= '9';
}

}  // namespace

bool sameFileName(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size())
    if (upperCase(nextChar(a, i)) != upperCase(nextChar(b, j))) return false;
  return i == a.size() && j == b.size();
}

RenameCheck profileNameCheck(const std::string& name, const std::string& folder) {
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
  // The engine writes each file beside it under a temporary name first.
  const size_t writerTail = std::max(tavora::temporaryFileOf("").size(), tavora::oldFileOf("").size());
  const size_t file = characters(name) + kLongestExtension + writerTail;
  if (deviceName(name) || file > kMaxComponent || characters(folder) + file >= kMaxPath) return RenameCheck::badName;
  return RenameCheck::ok;
}

RenameCheck checkRename(const std::vector<std::string>& items, int index, const std::string& name,
                        const std::vector<std::string>& files, const std::string& folder) {
  if (name.empty()) return RenameCheck::empty;
  const std::string builtIn = texts::kBuiltInProfile;
  const std::string own = index >= 0 && static_cast<size_t>(index) < items.size() ? items[index] : std::string();
  if (sameFileName(name, builtIn) || sameFileName(own, builtIn)) return RenameCheck::builtIn;
  for (size_t i = 0; i < items.size(); ++i)
    if (static_cast<int>(i) != index && sameFileName(items[i], name)) return RenameCheck::taken;
  for (const std::string& file : files)
    if (sameFileName(file, name) && !sameFileName(file, own)) return RenameCheck::taken;
  return profileNameCheck(name, folder);
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
