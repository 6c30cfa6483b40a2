// The two favourites files, favorite1.dat and favorite2.dat (the input split at its first NUL):
// loaded, saved and loaded back the same.
#include <algorithm>

#include "fuzz_support.h"
#include "guidepane/core/favourites.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input = textOf(data, size);
  const size_t split = std::min(input.find('\0'), input.size());
  const std::string names = writeTemp("favorite1.dat", input.substr(0, split));
  const std::string addresses = writeTemp("favorite2.dat", input.substr(std::min(split + 1, input.size())));
  guide::Favourites first;
  first.load(names, addresses);
  for (int i = -1; i <= static_cast<int>(first.size()); ++i) FUZZ_EXPECT(first.nameAt(i).size() + first.addressAt(i).size() <= size);
  if (!first.save(names, addresses)) return 0;
  guide::Favourites second;
  second.load(names, addresses);
  FUZZ_EXPECT(second.size() == first.size());
  for (int i = 0; i < static_cast<int>(first.size()); ++i)
    FUZZ_EXPECT(second.nameAt(i) == first.nameAt(i) && second.addressAt(i) == first.addressAt(i));
  return 0;
}
