#include "area_lists.h"

#include "common/fileio.h"

namespace guide {

namespace {

std::optional<std::vector<std::string>> linesOf(const std::string& path) {
  auto data = tavora::readWholeFile(path);
  if (!data) return std::nullopt;
  return tavora::splitLines(*data);
}

}  // namespace

std::optional<std::string> AreaLists::addressAt(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= addresses.size()) return std::nullopt;
  return addresses[static_cast<size_t>(index)];
}

AreaLists loadAreaLists(const std::string& programFolder) {
  AreaLists lists;
  auto names = linesOf(programFolder + "urlByArea1.dat");
  if (!names) return lists;
  lists.names = std::move(*names);
  if (auto addresses = linesOf(programFolder + "urlByArea2.dat")) {
    lists.addresses = std::move(*addresses);
    lists.shown = true;
  }
  return lists;
}

}  // namespace guide
