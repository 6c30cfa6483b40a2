// The video format block and the frame-rate arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "grabcore/core/video_info.h"

using Bytes = std::vector<uint8_t>;

namespace {

// A VIDEOINFOHEADER with the given frame time and size, little-endian at their offsets.
Bytes header(int64_t frameTime, int32_t width, int32_t height, size_t size = kVideoInfoHeaderSize) {
  Bytes b(size, 0xCC);
  for (int i = 0; i < 8; ++i) b[40 + i] = static_cast<uint8_t>(static_cast<uint64_t>(frameTime) >> (8 * i));
  for (int i = 0; i < 4; ++i) b[52 + i] = static_cast<uint8_t>(static_cast<uint32_t>(width) >> (8 * i));
  for (int i = 0; i < 4; ++i) b[56 + i] = static_cast<uint8_t>(static_cast<uint32_t>(height) >> (8 * i));
  return b;
}

const Guid kOtherFormat = kFormatWaveFormatEx;

}  // namespace

TEST(VideoInfo, ReadsFrameTimeAndSizeAtTheirOffsets) {
  Bytes b = header(333667, 720, -480);
  EXPECT_EQ(videoInfoFrameTime(kFormatVideoInfo, b.data(), b.size()), 333667);
  VideoSize s = videoInfoSize(kFormatVideoInfo, b.data(), b.size());
  EXPECT_EQ(s.width, 720);
  EXPECT_EQ(s.height, -480);
  Bytes v2 = header(333667, 720, 480, 112);  // a VIDEOINFOHEADER2: the frame time at the same place
  EXPECT_EQ(videoInfoFrameTime(kFormatVideoInfo2, v2.data(), v2.size()), 333667);
  EXPECT_FALSE(videoInfoFrameTime(kFormatVideoInfo2, v2.data(), 111));
  ASSERT_TRUE(setVideoInfoFrameTime(kFormatVideoInfo2, v2.data(), v2.size(), 400000));
  EXPECT_EQ(v2, header(400000, 720, 480, 112));
}

TEST(VideoInfo, OtherFormatTypesAndShortBlocksGiveNothing) {
  Bytes b = header(333667, 720, 480);
  EXPECT_FALSE(videoInfoFrameTime(kOtherFormat, b.data(), b.size()));
  EXPECT_EQ(videoInfoSize(kOtherFormat, b.data(), b.size()).width, 0);
  Bytes shortBlock = header(333667, 720, 480, kVideoInfoHeaderSize - 1);
  EXPECT_FALSE(videoInfoFrameTime(kFormatVideoInfo, shortBlock.data(), shortBlock.size()));
  VideoSize s = videoInfoSize(kFormatVideoInfo, shortBlock.data(), shortBlock.size());
  EXPECT_EQ(s.width, 0);
  EXPECT_EQ(s.height, 0);
  EXPECT_FALSE(videoInfoFrameTime(kFormatVideoInfo, nullptr, 88));
  EXPECT_FALSE(setVideoInfoFrameTime(kFormatVideoInfo, shortBlock.data(), shortBlock.size(), 1));
  EXPECT_EQ(shortBlock, header(333667, 720, 480, kVideoInfoHeaderSize - 1));
}

TEST(VideoInfo, SetsOnlyTheFrameTime) {
  Bytes b = header(333667, 720, 480);
  ASSERT_TRUE(setVideoInfoFrameTime(kFormatVideoInfo, b.data(), b.size(), 0x0102030405060708LL));
  EXPECT_EQ(b, header(0x0102030405060708LL, 720, 480));
  Bytes other = header(1, 2, 3);
  EXPECT_FALSE(setVideoInfoFrameTime(kOtherFormat, other.data(), other.size(), 5));
  EXPECT_EQ(other, header(1, 2, 3));
}

TEST(FrameRate, FromFrameTime) {
  EXPECT_DOUBLE_EQ(frameRateOf(333667), 10000000.0 / 333667);
  EXPECT_DOUBLE_EQ(frameRateOf(400000), 25.0);
  EXPECT_EQ(frameRateOf(0), -1.0);
  EXPECT_EQ(frameRateOf(-400000), -1.0);
}

TEST(FrameRate, ToFrameTimeTruncatesTowardZero) {
  EXPECT_EQ(frameTimeOf(29.97), 333667);  // 333667.0
  EXPECT_EQ(frameTimeOf(30.0), 333333);   // 333333.33
  EXPECT_EQ(frameTimeOf(7.0), 1428571);   // 1428571.43
  EXPECT_EQ(frameTimeOf(1e7), 1);
}

TEST(FrameRate, RatesWithoutAUsableFrameTimeAreRefused) {
  EXPECT_FALSE(frameTimeOf(0.0));
  EXPECT_FALSE(frameTimeOf(-0.0));
  EXPECT_FALSE(frameTimeOf(-5.0));
  EXPECT_FALSE(frameTimeOf(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(frameTimeOf(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(frameTimeOf(-std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(frameTimeOf(2e7));     // a frame time under one unit
  EXPECT_FALSE(frameTimeOf(1e-300));  // beyond 64 bits
  EXPECT_FALSE(frameTimeOf(std::numeric_limits<double>::denorm_min()));
  EXPECT_TRUE(frameTimeOf(1e-11));    // 1e18 still fits
}

TEST(FrameRate, DoubleTravelsInTwoHalves) {
  DoubleHalves h = splitDouble(-1.0);
  EXPECT_EQ(h.low, 0u);
  EXPECT_EQ(h.high, 0xBFF00000u);
  h = splitDouble(29.97);
  EXPECT_EQ(h.low, 0xEB851EB8u);
  EXPECT_EQ(h.high, 0x403DF851u);
  EXPECT_EQ(joinDouble(h), 29.97);
}
