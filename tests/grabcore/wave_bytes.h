// A WAVEFORMATEX as bytes, its fields little-endian at their offsets, for the native tests and
// the Windows ones alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// extra zero bytes follow the 18 of the header.
inline std::vector<uint8_t> waveBytes(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t blockAlign,
                                      uint16_t cbSize, size_t extra = 0) {
  std::vector<uint8_t> b(18 + extra, 0);
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  put(0, tag, 2);
  put(2, channels, 2);
  put(4, rate, 4);
  put(8, rate * blockAlign, 4);
  put(12, blockAlign, 2);
  put(14, blockAlign * 8 / (channels ? channels : 1), 2);
  put(16, cbSize, 2);
  return b;
}
