#include "offline_records.h"

#include "divide_url.h"
#include "program_link.h"

namespace guide {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWithNoCase(std::string_view text, std::string_view head) {
  if (text.size() < head.size()) return false;
  for (size_t i = 0; i < head.size(); ++i)
    if (lower(text[i]) != lower(head[i])) return false;
  return true;
}

}  // namespace

std::optional<std::string> offlineRecordFolder(std::string_view locationUrl, std::string_view programFolder) {
  if (!startsWithNoCase(locationUrl, "file:")) return std::nullopt;
  std::string_view rest = locationUrl.substr(5);
  while (!rest.empty() && (rest.front() == '/' || rest.front() == '\\')) rest.remove_prefix(1);
  std::string path = decodeEscapes(rest);
  for (char& c : path)
    if (c == '/') c = '\\';
  const std::string tables = std::string(programFolder) + "prgTable\\";
  if (!startsWithNoCase(path, tables)) return std::nullopt;
  const std::string_view name = std::string_view(path).substr(tables.size());
  // A page right in the folder: a name, no further folder, and its ".htm".
  if (name.size() <= 4 || name.find('\\') != std::string_view::npos ||
      !startsWithNoCase(name.substr(name.size() - 4), ".htm"))
    return std::nullopt;
  return path.substr(0, path.size() - 4);
}

std::optional<std::string> offlineRecordPath(std::string_view locationUrl, std::string_view programFolder,
                                             std::string_view extraInfo) {
  const auto folder = offlineRecordFolder(locationUrl, programFolder);
  const auto name = savedRecordName(extraInfo);
  if (!folder || !name) return std::nullopt;
  return *folder + "\\" + *name;
}

}  // namespace guide
