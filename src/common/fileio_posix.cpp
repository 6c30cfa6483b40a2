#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "fileio.h"

namespace tavora {

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return data;
}

namespace {

bool writeTemp(const std::string& temp, const std::vector<uint8_t>& data) {
  std::ofstream out(temp, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  out.flush();
  if (out) return true;
  out.close();
  std::remove(temp.c_str());
  return false;
}

}  // namespace

bool writeFileReplacing(const std::string& path, const std::vector<uint8_t>& data) {
  return writeFilesReplacing({{path, data}});
}

bool writeFilesReplacing(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
  for (size_t i = 0; i < files.size(); ++i) {
    if (writeTemp(files[i].first + ".tmp", files[i].second)) continue;
    for (size_t j = 0; j < i; ++j) std::remove((files[j].first + ".tmp").c_str());
    return false;
  }
  bool replaced = true;
  for (const auto& file : files) {
    const std::string temp = file.first + ".tmp";
    if (std::rename(temp.c_str(), file.first.c_str()) != 0) {
      std::remove(temp.c_str());
      replaced = false;
    }
  }
  return replaced;
}

bool fileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool removeFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

}  // namespace tavora
