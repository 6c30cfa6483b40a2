#include "sjis.h"

namespace tavora::sjis {

size_t findLastOf(std::string_view s, std::string_view set) {
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < s.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
      ++i;
      continue;
    }
    if (set.find(s[i]) != std::string_view::npos) found = i;
  }
  return found;
}

size_t findFirstOf(std::string_view s, std::string_view set, size_t from) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
      ++i;
      continue;
    }
    if (i >= from && set.find(s[i]) != std::string_view::npos) return i;
  }
  return std::string_view::npos;
}

size_t findLast(std::string_view s, char c) { return findLastOf(s, std::string_view(&c, 1)); }

size_t findFirst(std::string_view s, char c, size_t from) {
  return findFirstOf(s, std::string_view(&c, 1), from);
}

std::string_view cutBytes(std::string_view s, size_t maxBytes) {
  size_t end = 0;
  for (size_t i = 0; i < s.size();) {
    size_t width = isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
    if (i + width > maxBytes) break;
    i += width;
    end = i;
  }
  return s.substr(0, end);
}

bool endsWithChar(std::string_view s, char c) {
  return !s.empty() && findLast(s, c) == s.size() - 1;
}

std::string folderOf(std::string_view path) {
  size_t p = findLast(path, '\\');
  return p == std::string_view::npos ? std::string() : std::string(path.substr(0, p + 1));
}

}  // namespace tavora::sjis
