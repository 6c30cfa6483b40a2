// Reading and changing a video format block (VIDEOINFOHEADER, and a VIDEOINFOHEADER2's frame
// time) and the frame-rate arithmetic, with every offset checked against the block's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "media_type_file.h"

// VIDEOINFOHEADER: rcSource, rcTarget, dwBitRate, dwBitErrorRate, AvgTimePerFrame, bmiHeader.
inline constexpr size_t kVideoInfoFrameTimeOffset = 40;
inline constexpr size_t kVideoInfoWidthOffset = 52;   // bmiHeader.biWidth
inline constexpr size_t kVideoInfoHeightOffset = 56;  // bmiHeader.biHeight
inline constexpr size_t kVideoInfoHeaderSize = 88;
// VIDEOINFOHEADER2 begins with the same fields, so its frame time lies at the same offset.
inline constexpr size_t kVideoInfo2HeaderSize = 112;

// 100-nanosecond units per second.
inline constexpr double kFrameTimeUnitsPerSecond = 10000000.0;
// The answer when there is no frame rate to give.
inline constexpr double kNoFrameRate = -1.0;

struct VideoSize {
  int32_t width = 0;
  int32_t height = 0;
};

// The block's AvgTimePerFrame; none unless the format type is FORMAT_VideoInfo or
// FORMAT_VideoInfo2 and the block holds that whole header.
std::optional<int64_t> videoInfoFrameTime(const Guid& formattype, const uint8_t* block, size_t size);
// Sets AvgTimePerFrame under the same conditions; false when the block is no such header.
bool setVideoInfoFrameTime(const Guid& formattype, uint8_t* block, size_t size, int64_t frameTime);
// The bitmap header's width and height; 0 and 0 for any other block.
VideoSize videoInfoSize(const Guid& formattype, const uint8_t* block, size_t size);

// Frames per second of a frame time; kNoFrameRate for a frame time that is not positive.
double frameRateOf(int64_t frameTime);
// The frame time of a rate, truncated toward zero; none for a rate that is not a finite
// positive number or gives a time outside 1 .. INT64_MAX.
std::optional<int64_t> frameTimeOf(double rate);

// The bits of a double as two 32-bit halves, the way it travels in a message's parameters.
struct DoubleHalves {
  uint32_t low = 0;
  uint32_t high = 0;
};
DoubleHalves splitDouble(double value);
double joinDouble(DoubleHalves halves);
