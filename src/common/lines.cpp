#include "fileio.h"

namespace tavora {

std::vector<std::string> splitLines(const std::vector<uint8_t>& data) {
  std::vector<std::string> lines;
  std::string current;
  for (size_t i = 0; i < data.size(); ++i) {
    char c = static_cast<char>(data[i]);
    if (c == '\n') {
      if (!current.empty() && current.back() == '\r') current.pop_back();
      lines.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) {
    if (current.back() == '\r') current.pop_back();
    lines.push_back(std::move(current));
  }
  return lines;
}

}  // namespace tavora
