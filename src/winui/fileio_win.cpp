#include <windows.h>

#include "../common/file_set.h"
#include "../common/fileio.h"
#include "text.h"

namespace tavora {

namespace {

struct FileHandle {
  HANDLE h;
  explicit FileHandle(HANDLE handle) : h(handle) {}
  ~FileHandle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
};

WriteStepHook writeStepHook = nullptr;

bool stepFails(WriteStep step) { return writeStepHook && writeStepHook(step); }

std::optional<WriteStep> writeTemp(const std::wstring& temp, const std::vector<uint8_t>& data) {
  if (stepFails(WriteStep::create)) return WriteStep::create;
  {
    FileHandle f(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (f.h == INVALID_HANDLE_VALUE) return WriteStep::create;
    DWORD done = 0;
    const bool written = !stepFails(WriteStep::write) &&
                         (data.empty() || (WriteFile(f.h, data.data(), static_cast<DWORD>(data.size()), &done, nullptr) &&
                                           done == data.size()));
    // On the disk before it replaces the old file.
    if (written && !stepFails(WriteStep::flush) && FlushFileBuffers(f.h)) return std::nullopt;
  }
  DeleteFileW(temp.c_str());
  return WriteStep::write;
}

}  // namespace

void setWriteStepHookForTests(WriteStepHook hook) { writeStepHook = hook; }

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path) {
  FileHandle f(CreateFileW(winui::widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (f.h == INVALID_HANDLE_VALUE) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(f.h, &size) || size.QuadPart > 256LL * 1024 * 1024) return std::nullopt;
  std::vector<uint8_t> data(static_cast<size_t>(size.QuadPart));
  DWORD done = 0;
  if (!data.empty() && (!ReadFile(f.h, data.data(), static_cast<DWORD>(data.size()), &done, nullptr) ||
                        done != data.size()))
    return std::nullopt;
  return data;
}

WriteResult writeFileReplacing(const std::string& path, const std::vector<uint8_t>& data) {
  return writeFilesReplacing({{path, data}});
}

WriteResult writeFilesReplacing(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
  std::vector<std::wstring> targets, temps, olds;
  for (const auto& file : files) {
    targets.push_back(winui::widen(file.first));
    temps.push_back(winui::widen(temporaryFileOf(file.first)));
    olds.push_back(winui::widen(oldFileOf(file.first)));
  }
  const auto move = [](const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  };
  return replaceFileSet(
      files, {[&](size_t i, const std::vector<uint8_t>& bytes) { return writeTemp(temps[i], bytes); },
              [&](size_t i) { return !stepFails(WriteStep::replace) && move(temps[i], targets[i]); },
              [&](size_t i) { DeleteFileW(temps[i].c_str()); },
              [&](size_t i) { DeleteFileW(targets[i].c_str()); },
              [&](size_t i) { return fileExists(files[i].first); },
              [&](size_t i) { return !stepFails(WriteStep::replace) && move(targets[i], olds[i]); },
              [&](size_t i) { return !stepFails(WriteStep::replace) && move(olds[i], targets[i]); },
              [&](size_t i) { DeleteFileW(olds[i].c_str()); }});
}

bool fileExists(const std::string& path) {
  DWORD attr = GetFileAttributesW(winui::widen(path).c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool removeFile(const std::string& path) { return DeleteFileW(winui::widen(path).c_str()) != 0; }

}  // namespace tavora
