// How a set of files replaces the old one, whatever the file system: each file is written
// beside its target first, then the targets are replaced in order, each old file moved aside
// first; when one step fails, the files replaced before it get their old files back, so the set
// is never mixed (an old file that cannot be moved back is left where readFilesReplaced takes it
// up). Nothing of an old file is read or written again on the way back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fileio.h"

namespace tavora {

// The file system's steps for file i of the set.
struct FileSetSteps {
  // The step that failed, or nothing when the temporary file is written whole.
  std::function<std::optional<WriteStep>(size_t i, const std::vector<uint8_t>& bytes)> writeTemp;
  std::function<bool(size_t i)> replace;  // the temporary file over the target
  std::function<void(size_t i)> removeTemp;
  std::function<void(size_t i)> removeTarget;
  std::function<bool(size_t i)> targetExists;
  std::function<bool(size_t i)> moveAside;  // the target to its old file
  std::function<bool(size_t i)> moveBack;   // the old file over the target again
  std::function<void(size_t i)> removeOld;
};

WriteResult replaceFileSet(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files, const FileSetSteps& steps);

}  // namespace tavora
