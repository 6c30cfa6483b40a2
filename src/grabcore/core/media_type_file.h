// A quality profile's format file: int32 1, the 72-byte media type record of a 32-bit build,
// then the format block. The video files (<profile>.video, <profile>.video2) and the audio
// file (<profile>.audio) use this layout.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// A GUID with its fields as they lie in memory (and so in the files).
struct Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  std::array<uint8_t, 8> data4{};
  bool operator==(const Guid&) const = default;
};

// FORMAT_VideoInfo: the format block is a VIDEOINFOHEADER.
inline constexpr Guid kFormatVideoInfo{0x05589f80, 0xc356, 0x11ce, {0xbf, 0x01, 0x00, 0xaa, 0x00, 0x55, 0x59, 0x5a}};

// FORMAT_VideoInfo2: a VIDEOINFOHEADER2.
inline constexpr Guid kFormatVideoInfo2{0xf72a76a0, 0xeb0a, 0x11d0, {0xac, 0xe4, 0x00, 0x00, 0xc0, 0xcc, 0x16, 0xba}};
// FORMAT_WaveFormatEx: a WAVEFORMATEX.
inline constexpr Guid kFormatWaveFormatEx{0x05589f81, 0xc356, 0x11ce, {0xbf, 0x01, 0x00, 0xaa, 0x00, 0x55, 0x59, 0x5a}};

// A media type without its pointer slots (pUnk is taken as none, pbFormat is the block).
struct MediaTypeRecord {
  Guid majortype;
  Guid subtype;
  int32_t fixedSizeSamples = 0;
  int32_t temporalCompression = 0;
  uint32_t sampleSize = 0;
  Guid formattype;
  std::vector<uint8_t> format;
  bool operator==(const MediaTypeRecord&) const = default;
};

inline constexpr size_t kMediaTypeRecordSize = 72;
inline constexpr size_t kMediaTypeFileHeaderSize = 4 + kMediaTypeRecordSize;
// No format block of a capture device comes near this; a larger count is a corrupt file.
inline constexpr uint32_t kMaxFormatBlockSize = 128 * 1024;

// True unless the block is too short for the structure its format type names, or its own
// sizes point past its end (a bitmap header's biSize, a wave format's cbSize), or a wave
// format has no channel. Format types without a known structure fit any block.
bool formatFitsType(const Guid& formattype, const std::vector<uint8_t>& block);

// True when the file written for type reads back: its block is within the limit and fits its
// format type. A profile file is written only for such a type.
bool fitsProfileFile(const MediaTypeRecord& type);

std::vector<uint8_t> encodeMediaTypeFile(const MediaTypeRecord& type);
// None when the file is shorter than its header or its block, the block is over the limit,
// or the block does not fit its format type: a driver would read past it.
std::optional<MediaTypeRecord> decodeMediaTypeFile(const std::vector<uint8_t>& data);
