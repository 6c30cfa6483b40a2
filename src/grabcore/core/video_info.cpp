#include "video_info.h"

#include <cmath>
#include <cstring>

#include "common/bytes.h"

namespace {

bool isVideoInfo(const Guid& formattype, const uint8_t* block, size_t size) {
  return formattype == kFormatVideoInfo && block && size >= kVideoInfoHeaderSize;
}

bool holdsFrameTime(const Guid& formattype, const uint8_t* block, size_t size) {
  return isVideoInfo(formattype, block, size) ||
         (formattype == kFormatVideoInfo2 && block && size >= kVideoInfo2HeaderSize);
}

}  // namespace

std::optional<int64_t> videoInfoFrameTime(const Guid& formattype, const uint8_t* block, size_t size) {
  if (!holdsFrameTime(formattype, block, size)) return std::nullopt;
  tavora::ByteReader in(block, size);
  in.seek(kVideoInfoFrameTimeOffset);
  return static_cast<int64_t>(in.u64());
}

bool setVideoInfoFrameTime(const Guid& formattype, uint8_t* block, size_t size, int64_t frameTime) {
  if (!holdsFrameTime(formattype, block, size)) return false;
  tavora::ByteWriter out;
  out.u64(static_cast<uint64_t>(frameTime));
  std::memcpy(block + kVideoInfoFrameTimeOffset, out.data().data(), out.size());
  return true;
}

VideoSize videoInfoSize(const Guid& formattype, const uint8_t* block, size_t size) {
  if (!isVideoInfo(formattype, block, size)) return {};
  tavora::ByteReader in(block, size);
  in.seek(kVideoInfoWidthOffset);
  VideoSize result;
  result.width = in.i32();
  result.height = in.i32();
  return result;
}

double frameRateOf(int64_t frameTime) {
  if (frameTime <= 0) return kNoFrameRate;
  return kFrameTimeUnitsPerSecond / static_cast<double>(frameTime);
}

std::optional<int64_t> frameTimeOf(double rate) {
  if (!std::isfinite(rate) || rate <= 0) return std::nullopt;
  const double time = std::trunc(kFrameTimeUnitsPerSecond / rate);
  // 2^63 is the first double beyond INT64_MAX.
  if (!(time >= 1.0) || time >= 9223372036854775808.0) return std::nullopt;
  return static_cast<int64_t>(time);
}

DoubleHalves splitDouble(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return {static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32)};
}

double joinDouble(DoubleHalves halves) {
  const uint64_t bits = (static_cast<uint64_t>(halves.high) << 32) | halves.low;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}
