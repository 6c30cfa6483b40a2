// What the fuzz targets share: the input as bytes or text, a folder for the files a target
// reads and writes, and the checks whose failure is a finding.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "../recdesk/temp_dir.h"

inline std::vector<uint8_t> bytesOf(const uint8_t* data, size_t size) { return {data, data + size}; }
inline std::string textOf(const uint8_t* data, size_t size) { return {reinterpret_cast<const char*>(data), size}; }

// One folder for the whole run.
inline const TempDir& fuzzFolder() {
  static const TempDir folder;
  return folder;
}

// The file name in the folder, holding bytes; its path.
inline std::string writeTemp(const std::string& name, const std::string& bytes) {
  const std::string path = fuzzFolder().file(name);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  return path;
}

#define FUZZ_EXPECT(condition)                                                                 \
  do {                                                                                         \
    if (!(condition)) {                                                                        \
      std::fprintf(stderr, "finding: %s is false (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                            \
    }                                                                                          \
  } while (0)

// Whatever decode reads, encode writes and decode reads back the same: the bytes written a
// second time equal the first ones.
template <class Decode, class Encode>
void expectRoundTrip(const std::vector<uint8_t>& input, Decode decode, Encode encode) {
  const auto first = decode(input);
  if (!first) return;
  const std::vector<uint8_t> written = encode(*first);
  const auto second = decode(written);
  FUZZ_EXPECT(second);
  FUZZ_EXPECT(encode(*second) == written);
}
