#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "file_set.h"
#include "fileio.h"

namespace tavora {

namespace {

WriteStepHook writeStepHook = nullptr;

bool stepFails(WriteStep step) { return writeStepHook && writeStepHook(step); }

std::optional<WriteStep> writeTemp(const std::string& temp, const std::vector<uint8_t>& data) {
  if (stepFails(WriteStep::create)) return WriteStep::create;
  std::ofstream out(temp, std::ios::binary | std::ios::trunc);
  if (!out) return WriteStep::create;
  if (!stepFails(WriteStep::write))
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  else
    out.setstate(std::ios::badbit);
  if (out && !stepFails(WriteStep::flush)) out.flush();
  else out.setstate(std::ios::badbit);
  if (out) return std::nullopt;
  out.close();
  std::remove(temp.c_str());
  return WriteStep::write;
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

WriteResult writeFileReplacing(const std::string& path, const std::vector<uint8_t>& data) {
  return writeFilesReplacing({{path, data}});
}

WriteResult writeFilesReplacing(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
  const auto target = [&](size_t i) { return files[i].first.c_str(); };
  const auto temp = [&](size_t i) { return temporaryFileOf(files[i].first); };
  const auto old = [&](size_t i) { return oldFileOf(files[i].first); };
  return replaceFileSet(
      files, {[&](size_t i, const std::vector<uint8_t>& bytes) { return writeTemp(temp(i), bytes); },
              [&](size_t i) { return !stepFails(WriteStep::replace) && std::rename(temp(i).c_str(), target(i)) == 0; },
              [&](size_t i) { std::remove(temp(i).c_str()); },
              [&](size_t i) { std::remove(target(i)); },
              [&](size_t i) { return fileExists(files[i].first); },
              [&](size_t i) { return !stepFails(WriteStep::replace) && std::rename(target(i), old(i).c_str()) == 0; },
              [&](size_t i) { return !stepFails(WriteStep::replace) && std::rename(old(i).c_str(), target(i)) == 0; },
              [&](size_t i) { std::remove(old(i).c_str()); }});
}

bool fileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool removeFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

}  // namespace tavora
