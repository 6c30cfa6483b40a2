#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "fileio.h"

namespace tavora {

namespace {

WriteStepHook writeStepHook = nullptr;

bool stepFails(WriteStep step) { return writeStepHook && writeStepHook(step); }

bool writeTemp(const std::string& temp, const std::vector<uint8_t>& data) {
  if (stepFails(WriteStep::create)) return false;
  std::ofstream out(temp, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  if (!stepFails(WriteStep::write))
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  else
    out.setstate(std::ios::badbit);
  if (out && !stepFails(WriteStep::flush)) out.flush();
  else out.setstate(std::ios::badbit);
  if (out) return true;
  out.close();
  std::remove(temp.c_str());
  return false;
}

}  // namespace

void setWriteStepHookForTests(WriteStepHook hook) { writeStepHook = hook; }

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return data;
}

bool writeFileReplacing(const std::string& path, const std::vector<uint8_t>& data) {
  return writeFilesReplacing({{path, data}});
}

bool writeFilesReplacing(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
  for (size_t i = 0; i < files.size(); ++i) {
    if (writeTemp(files[i].first + ".tmp", files[i].second)) continue;
    for (size_t j = 0; j < i; ++j) std::remove((files[j].first + ".tmp").c_str());
    return false;
  }
  // A set is replaced in order; when one replace fails, the files replaced before it get their
  // old bytes back, so the set is never mixed.
  std::vector<std::optional<std::vector<uint8_t>>> olds;
  if (files.size() > 1)
    for (const auto& file : files) olds.push_back(readWholeFile(file.first));
  for (size_t i = 0; i < files.size(); ++i) {
    if (!stepFails(WriteStep::replace) && std::rename((files[i].first + ".tmp").c_str(), files[i].first.c_str()) == 0)
      continue;
    for (size_t k = i; k < files.size(); ++k) std::remove((files[k].first + ".tmp").c_str());
    for (size_t j = 0; j < i; ++j) {
      const std::string temp = files[j].first + ".tmp";
      if (!olds[j]) std::remove(files[j].first.c_str());
      else if (writeTemp(temp, *olds[j])) std::rename(temp.c_str(), files[j].first.c_str());
    }
    return false;
  }
  return true;
}

bool fileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool removeFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

}  // namespace tavora
