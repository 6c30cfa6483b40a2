#include "settings_rules.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/sjis.h"
#include "recdesk/texts/recdesk_texts.h"

namespace options {

std::optional<uint16_t> secondCount(std::string_view text) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
  if (value <= 0 || value > 65535) return std::nullopt;
  return static_cast<uint16_t>(value);
}

std::optional<double> earlyStartDays(std::string_view text) {
  double seconds = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, seconds);
  if (text.empty() || error != std::errc{} || stop != end || !std::isfinite(seconds)) return std::nullopt;
  return -seconds / 86400;
}

std::string earlyStartText(double days) {
  const double seconds = std::round(-days * 86400);
  if (!std::isfinite(seconds) || seconds == 0) return "0";
  char text[400];
  std::snprintf(text, sizeof text, "%.0f", seconds);
  return text;
}

std::string folderWithBackslash(std::string path) {
  if (!tavora::sjis::endsWithChar(path, '\\')) path.push_back('\\');
  return path;
}

ProfileChoice manualProfile(std::vector<std::string> listed, const std::string& stored) {
  ProfileChoice choice;
  choice.items = std::move(listed);
  auto indexOf = [&](const std::string& name) {
    for (size_t i = 0; i < choice.items.size(); ++i)
      if (choice.items[i] == name) return static_cast<int>(i);
    return -1;
  };
  choice.profile = stored;
  choice.selected = indexOf(stored);
  if (choice.selected < 0) {
    choice.profile = texts::kDefaultQuality;
    choice.selected = indexOf(choice.profile);
    if (choice.selected < 0) {
      choice.items.push_back(choice.profile);
      choice.selected = static_cast<int>(choice.items.size()) - 1;
    }
  }
  return choice;
}

bool recordFileNameAllowed(std::string_view name) {
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (tavora::sjis::isLeadByte(c) && i + 1 < name.size()) {
      ++i;
      continue;
    }
    if (c < 0x20 || std::string_view("\"*?<>|").find(static_cast<char>(c)) != std::string_view::npos) return false;
  }
  return true;
}

}  // namespace options
