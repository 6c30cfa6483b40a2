#include "file_set.h"

#include <optional>

#include "fileio.h"

namespace tavora {

// Both suffixes end in ".tmp", which no file the programs keep has.
std::string temporaryFileOf(const std::string& path) { return path + "~new.tmp"; }
std::string oldFileOf(const std::string& path) { return path + "~old.tmp"; }

std::vector<std::optional<std::vector<uint8_t>>> readFilesReplaced(const std::vector<std::string>& paths) {
  const auto read = [](const std::string& path) { return fileExists(path) ? readWholeFile(path) : std::nullopt; };
  // Where a save was cut short: the files before it were moved aside (one without an old file
  // was new), those after it not touched yet.
  size_t cut = 0;
  while (cut < paths.size() && (fileExists(paths[cut]) || !fileExists(oldFileOf(paths[cut])))) ++cut;
  std::vector<std::optional<std::vector<uint8_t>>> files;
  for (size_t i = 0; i < paths.size(); ++i)
    files.push_back(read(cut < paths.size() && i <= cut ? oldFileOf(paths[i]) : paths[i]));
  return files;
}

WriteResult replaceFileSet(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files,
                           const FileSetSteps& steps) {
  for (size_t i = 0; i < files.size(); ++i) {
    const std::optional<WriteStep> failed = steps.writeTemp(i, files[i].second);
    if (!failed) continue;
    for (size_t j = 0; j < i; ++j) steps.removeTemp(j);
    return {*failed == WriteStep::flush ? WriteStep::write : *failed};
  }
  if (files.size() == 1) {
    if (steps.replace(0)) return {};
    steps.removeTemp(0);
    return {WriteStep::replace};
  }
  // A set: the old files are kept aside until every new one is in place.
  std::vector<bool> aside(files.size(), false);
  for (size_t i = 0; i < files.size(); ++i) {
    bool done = true;
    if (steps.targetExists(i)) done = aside[i] = steps.moveAside(i);
    if (done && steps.replace(i)) continue;
    for (size_t k = i; k < files.size(); ++k) steps.removeTemp(k);
    // Back from the last file: one whose old file cannot be moved back is left missing beside
    // it, with those before it as they are, as a save cut short there leaves them for the reader.
    for (size_t j = i + 1; j-- > 0;) {
      if (aside[j] && steps.moveBack(j)) continue;
      if (j < i) steps.removeTarget(j);  // new, or its old file waits beside it
      if (aside[j]) break;
    }
    return {WriteStep::replace};
  }
  // Also an old file an earlier save cut short left beside a missing target: the set is whole.
  for (size_t i = 0; i < files.size(); ++i) steps.removeOld(i);
  return {};
}

}  // namespace tavora
