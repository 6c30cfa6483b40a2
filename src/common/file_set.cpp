#include "file_set.h"

#include <optional>

#include "fileio.h"

namespace tavora {

WriteResult replaceFileSet(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files,
                           const FileSetSteps& steps) {
  for (size_t i = 0; i < files.size(); ++i) {
    const std::optional<WriteStep> failed = steps.writeTemp(i, files[i].second);
    if (!failed) continue;
    for (size_t j = 0; j < i; ++j) steps.removeTemp(j);
    return {*failed == WriteStep::flush ? WriteStep::write : *failed};
  }
  std::vector<std::optional<std::vector<uint8_t>>> olds;
  if (files.size() > 1)
    for (const auto& file : files) olds.push_back(readWholeFile(file.first));
  for (size_t i = 0; i < files.size(); ++i) {
    if (steps.replace(i)) continue;
    for (size_t k = i; k < files.size(); ++k) steps.removeTemp(k);
    for (size_t j = 0; j < i; ++j) {
      if (!olds[j]) steps.removeTarget(j);
      else if (!steps.writeTemp(j, *olds[j])) steps.replace(j);
    }
    return {WriteStep::replace};
  }
  return {};
}

}  // namespace tavora
