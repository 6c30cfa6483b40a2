// The download dialog's choice of area: the area names from urlByArea1.dat and the base
// address of each from urlByArea2.dat, one a line, parallel by index.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace guide {

struct AreaLists {
  std::vector<std::string> names;      // the combo's items, when the first file loaded
  std::vector<std::string> addresses;  // read only when the first file loaded
  bool shown = false;                  // the combo shows only when both files loaded

  // The base address of the area at index; none unless the index is below the address count.
  std::optional<std::string> addressAt(int index) const;
};

// programFolder ends with its separator. A missing or unreadable file leaves the combo
// hidden, silently.
AreaLists loadAreaLists(const std::string& programFolder);

}  // namespace guide
