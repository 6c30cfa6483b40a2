// The download dialog's area files: the first byte says which of urlByArea1.dat and
// urlByArea2.dat exist, the rest, split at its first NUL, is what they hold. Addresses come
// only with names, the combo shows only with both, and no choice reaches past the addresses.
#include <algorithm>
#include <filesystem>

#include "fuzz_support.h"
#include "guidepane/core/area_lists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool namesExist = data[0] & 1, addressesExist = data[0] & 2;
  const std::string input = textOf(data + 1, size - 1);
  const size_t split = std::min(input.find('\0'), input.size());
  const std::string files[] = {input.substr(0, split), input.substr(std::min(split + 1, input.size()))};
  const bool exist[] = {namesExist, addressesExist};
  for (int i = 0; i < 2; ++i) {
    const std::string name = "urlByArea" + std::to_string(i + 1) + ".dat";
    if (exist[i]) writeTemp(name, files[i]);
    else std::filesystem::remove(fuzzFolder().file(name));
  }
  const guide::AreaLists lists = guide::loadAreaLists(fuzzFolder().file(""));
  FUZZ_EXPECT(lists.shown == (namesExist && addressesExist));
  FUZZ_EXPECT(namesExist || (lists.names.empty() && lists.addresses.empty()));
  FUZZ_EXPECT(addressesExist || lists.addresses.empty());
  // Every line comes from its own file: together never longer than the file.
  size_t namesLength = 0, addressesLength = 0;
  for (const std::string& name : lists.names) namesLength += name.size();
  for (const std::string& address : lists.addresses) addressesLength += address.size();
  FUZZ_EXPECT(namesLength <= files[0].size() && addressesLength <= files[1].size());
  const int count = static_cast<int>(lists.addresses.size());
  for (int index : {-1, 0, count - 1, count, count + 1, INT32_MAX, INT32_MIN}) {
    const std::optional<std::string> address = lists.addressAt(index);
    FUZZ_EXPECT(address.has_value() == (index >= 0 && index < count));
    if (address) FUZZ_EXPECT(*address == lists.addresses[static_cast<size_t>(index)]);
  }
  return 0;
}
