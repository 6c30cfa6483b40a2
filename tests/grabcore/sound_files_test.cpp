// The audio and compressor files and blocks, byte for byte, and the format blocks that a
// profile file may hand to a driver.
#include <gtest/gtest.h>

#include "fake_engine.h"
#include "grabcore/core/vcompress_file.h"
#include "grabcore/core/wave_format.h"
#include "wave_bytes.h"

using Bytes = std::vector<uint8_t>;

namespace {

constexpr Guid kPcmSubtype{0x00000001, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

MediaTypeRecord audioType(Bytes block) {
  MediaTypeRecord t;
  t.majortype = {0x73647561, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
  t.subtype = kPcmSubtype;
  t.fixedSizeSamples = 1;
  t.sampleSize = 4;
  t.formattype = kFormatWaveFormatEx;
  t.format = std::move(block);
  return t;
}

Bytes videoInfo(size_t size, uint32_t biSize, size_t bitmapAt = 48) {
  Bytes b(size, 0);
  for (int i = 0; i < 4; ++i) b[bitmapAt + i] = static_cast<uint8_t>(biSize >> (8 * i));
  return b;
}

}  // namespace

TEST(FormatFit, VideoHeadersMustHoldTheirStructureAndTheirBitmapHeader) {
  EXPECT_TRUE(formatFitsType(kFormatVideoInfo, videoInfo(88, 40)));
  EXPECT_FALSE(formatFitsType(kFormatVideoInfo, videoInfo(87, 39)));
  EXPECT_FALSE(formatFitsType(kFormatVideoInfo, {}));
  // A bitmap header that claims more than the block holds (a palette that is not there).
  EXPECT_TRUE(formatFitsType(kFormatVideoInfo, videoInfo(88 + 1024, 40 + 1024)));
  EXPECT_FALSE(formatFitsType(kFormatVideoInfo, videoInfo(88, 41)));
  EXPECT_FALSE(formatFitsType(kFormatVideoInfo, videoInfo(88, 0xFFFFFFFF)));
  EXPECT_TRUE(formatFitsType(kFormatVideoInfo2, videoInfo(112, 40, 72)));
  EXPECT_FALSE(formatFitsType(kFormatVideoInfo2, videoInfo(111, 39, 72)));
  EXPECT_FALSE(formatFitsType(kFormatVideoInfo2, videoInfo(112, 41, 72)));
  // A format type without a known structure takes any block.
  EXPECT_TRUE(formatFitsType(Guid{}, {}));
  EXPECT_TRUE(formatFitsType(Guid{}, Bytes(3, 0)));
}

TEST(FormatFit, WaveFormatsNeedTheirHeaderAChannelAndTheirExtraBytes) {
  Bytes pcm = waveBytes(1, 2, 44100, 4, 0);
  EXPECT_TRUE(formatFitsType(kFormatWaveFormatEx, pcm));
  pcm.pop_back();
  EXPECT_FALSE(formatFitsType(kFormatWaveFormatEx, pcm));
  EXPECT_FALSE(formatFitsType(kFormatWaveFormatEx, waveBytes(1, 0, 44100, 4, 0)));
  // PCM ignores cbSize; other tags count it.
  EXPECT_TRUE(formatFitsType(kFormatWaveFormatEx, waveBytes(1, 2, 44100, 4, 0xFFFF)));
  EXPECT_TRUE(formatFitsType(kFormatWaveFormatEx, waveBytes(2, 2, 44100, 4, 32, 32)));
  EXPECT_FALSE(formatFitsType(kFormatWaveFormatEx, waveBytes(2, 2, 44100, 4, 33, 32)));
}

TEST(FormatFit, AProfileWhoseBlockDoesNotFitItsFormatTypeIsUnreadable) {
  MediaTypeRecord t = audioType(waveBytes(1, 2, 44100, 4, 0));
  t.formattype = kFormatVideoInfo;  // 18 bytes called a VIDEOINFOHEADER
  EXPECT_FALSE(decodeMediaTypeFile(encodeMediaTypeFile(t)));
  t = audioType(waveBytes(1, 0, 44100, 4, 0));
  EXPECT_FALSE(decodeMediaTypeFile(encodeMediaTypeFile(t)));
  t = audioType(waveBytes(1, 2, 44100, 4, 0));
  EXPECT_EQ(decodeMediaTypeFile(encodeMediaTypeFile(t)), t);
}

TEST(AudioProfile, TheVideoLayoutHoldingAWaveFormat) {
  const MediaTypeRecord t = audioType(waveBytes(1, 2, 44100, 4, 0));
  const Bytes d = encodeMediaTypeFile(t);
  EXPECT_EQ(Bytes(d.begin() + 48, d.begin() + 52), (Bytes{0x81, 0x9f, 0x58, 0x05}));  // FORMAT_WaveFormatEx
  EXPECT_EQ(decodeAudioProfile(d), t);
  // A good video profile is no audio profile.
  MediaTypeRecord video = t;
  video.formattype = kFormatVideoInfo;
  video.format = videoInfo(88, 40);
  EXPECT_TRUE(decodeMediaTypeFile(encodeMediaTypeFile(video)));
  EXPECT_FALSE(decodeAudioProfile(encodeMediaTypeFile(video)));
}

TEST(AudioFormat, RateBlockAlignAndChannelsForTheFrontEnd) {
  std::optional<AudioFormatInfo> info = audioFormatInfo(kFormatWaveFormatEx, waveBytes(1, 2, 44100, 4, 0));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->samplesPerSec, 44100u);
  EXPECT_EQ(info->blockAlign, 4);
  EXPECT_EQ(info->channels, 2);
  EXPECT_EQ(audioFormatParam(*info), 0x00020004);
  EXPECT_EQ(audioFormatParam({8000, 0xFFFF, 0xFFFF}), 0xFFFFFFFFLL);
  EXPECT_FALSE(audioFormatInfo(kFormatVideoInfo, waveBytes(1, 2, 44100, 4, 0)));
  EXPECT_FALSE(audioFormatInfo(kFormatWaveFormatEx, waveBytes(1, 0, 44100, 4, 0)));
  EXPECT_FALSE(audioFormatInfo(kFormatWaveFormatEx, Bytes(14, 1)));
}

TEST(AudioFormat, TheChosenFormatSetsTheBlockItsSizeSampleSizeAndSubtype) {
  MediaTypeRecord t = audioType(waveBytes(1, 2, 44100, 4, 0));
  // The chooser's buffer is larger than the format it holds.
  Bytes buffer = waveBytes(1, 1, 22050, 2, 0, 60);
  ASSERT_TRUE(takeChosenWaveFormat(t, buffer));
  EXPECT_EQ(t.format, waveBytes(1, 1, 22050, 2, 0));
  EXPECT_EQ(t.sampleSize, 2u);
  EXPECT_EQ(t.subtype, kPcmSubtype);
  // Another tag keeps its extra bytes and names its own subtype.
  buffer = waveBytes(0x55, 2, 44100, 1, 12, 40);
  ASSERT_TRUE(takeChosenWaveFormat(t, buffer));
  EXPECT_EQ(t.format.size(), 30u);
  EXPECT_EQ(t.subtype.data1, 0x55u);
  EXPECT_EQ(t.sampleSize, 1u);
  // Extra bytes past the buffer, no channel, or no header: nothing is taken.
  const MediaTypeRecord before = t;
  EXPECT_FALSE(takeChosenWaveFormat(t, waveBytes(0x55, 2, 44100, 1, 41, 40)));
  EXPECT_FALSE(takeChosenWaveFormat(t, waveBytes(1, 0, 44100, 4, 0, 60)));
  EXPECT_FALSE(takeChosenWaveFormat(t, Bytes(17, 1)));
  EXPECT_EQ(t, before);
}

TEST(VCompressFile, HeaderStateAndNameOrTwelveBytesForNoCompressor) {
  VCompressProfile p;
  p.friendlyName = sj("圧縮表");  // a trail byte 0x5C inside
  p.state = {1, 2, 3};
  const Bytes d = encodeVCompressFile(p);
  Bytes expected = {1, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 1, 2, 3};
  for (char c : *p.friendlyName) expected.push_back(static_cast<uint8_t>(c));
  expected.push_back(0);
  EXPECT_EQ(d, expected);
  EXPECT_EQ(decodeVCompressFile(d), p);
  EXPECT_EQ(encodeVCompressFile({}), (Bytes{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(encodeVCompressFile({"", {}}).size(), 12u);
  // A file without a name that still counts a state reads as no compressor and no state.
  EXPECT_EQ(decodeVCompressFile({9, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 7, 7}), VCompressProfile{});
  // A name without a state.
  EXPECT_EQ(decodeVCompressFile({1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 'x', 0}), (VCompressProfile{"x", {}}));
}

TEST(VCompressFile, CountsAreCheckedAgainstTheFileAndTheLimits) {
  VCompressProfile p;
  p.friendlyName = "codec";
  p.state = Bytes(10, 5);
  const Bytes d = encodeVCompressFile(p);
  for (size_t n = 0; n < d.size(); ++n) EXPECT_FALSE(decodeVCompressFile(Bytes(d.begin(), d.begin() + n))) << n;
  Bytes bad = d;
  bad[8] = 0xFF;
  bad[11] = 0xFF;  // negative
  EXPECT_FALSE(decodeVCompressFile(bad));
  bad = d;
  bad[8] = 30;  // past the end
  EXPECT_FALSE(decodeVCompressFile(bad));
  // Over the limits even when the bytes are there.
  p.state = Bytes(kMaxCompressorStateSize + 1, 0);
  EXPECT_FALSE(decodeVCompressFile(encodeVCompressFile(p)));
  p.state = Bytes(kMaxCompressorStateSize, 0);
  EXPECT_TRUE(decodeVCompressFile(encodeVCompressFile(p)));
  p.state.clear();
  p.friendlyName = std::string(kMaxCompressorNameSize + 1, 'n');
  EXPECT_FALSE(decodeVCompressFile(encodeVCompressFile(p)));
  p.friendlyName = std::string(kMaxCompressorNameSize, 'n');
  EXPECT_TRUE(decodeVCompressFile(encodeVCompressFile(p)));
}

TEST(CompNames, CountThenEachNameWithItsNul) {
  EXPECT_EQ(encodeCompNames({}), (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(encodeCompNames({"ab", "", "c"}), (Bytes{3, 0, 0, 0, 'a', 'b', 0, 0, 'c', 0}));
  const std::vector<std::string> names = {"Codec A", "codec b", "Codec B"};
  EXPECT_EQ(compNameIndex(names, "Codec B"), 2);
  EXPECT_EQ(compNameIndex(names, "codec a"), -1);  // case-sensitive
  EXPECT_EQ(compNameIndex(names, "Gone"), -1);
}
