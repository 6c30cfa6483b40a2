// VCapSorce.dat and the profile format files, byte for byte.
#include <gtest/gtest.h>

#include "fake_engine.h"
#include "grabcore/core/media_type_file.h"
#include "grabcore/core/vcap_settings.h"

using Bytes = std::vector<uint8_t>;

namespace {

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

VCapSettings bothDevices() {
  VCapSettings s;
  s.version = 2;
  s.saturation = 0x11223344;
  s.brightness = -1;
  s.contrast = 128;
  s.hue = 7;
  s.hasVfw = s.hasWdm = true;
  s.useVfw = true;
  s.vfwName = "VfW Cap";
  s.wdmName = sj("キャプチャ表");  // a trail byte 0x5C inside
  return s;
}

}  // namespace

TEST(VCapSettingsFile, LayoutOfTheRecordAndBothNames) {
  Bytes expected = {2, 0, 0, 0, 0x44, 0x33, 0x22, 0x11, 0xFF, 0xFF, 0xFF, 0xFF, 128, 0, 0, 0, 7, 0, 0, 0,
                    1, 1, 1, 0};
  Bytes vfw = bytesOf("VfW Cap");
  expected.insert(expected.end(), vfw.begin(), vfw.end());
  expected.push_back(0);
  Bytes wdm = bytesOf(sj("キャプチャ表"));
  expected.insert(expected.end(), wdm.begin(), wdm.end());
  expected.push_back(0);
  EXPECT_EQ(encodeVCapSettings(bothDevices()), expected);
}

TEST(VCapSettingsFile, OnlyTheNamesOfDevicesFoundAreWritten) {
  VCapSettings s = bothDevices();
  s.hasVfw = false;
  s.useVfw = false;
  Bytes data = encodeVCapSettings(s);
  ASSERT_EQ(data.size(), 24 + s.wdmName.size() + 1);
  EXPECT_EQ(data[20], 0);
  EXPECT_EQ(data[21], 1);
  EXPECT_EQ(data[22], 0);
  EXPECT_EQ(std::string(data.begin() + 24, data.end() - 1), s.wdmName);

  s = bothDevices();
  s.hasWdm = false;
  s.vfwName.clear();  // an empty name is one NUL
  data = encodeVCapSettings(s);
  EXPECT_EQ(data.size(), 25u);
  EXPECT_EQ(data.back(), 0);
}

TEST(VCapSettingsFile, RoundTripsEveryFlagCombination) {
  for (int flags = 1; flags < 8; ++flags) {
    VCapSettings s = bothDevices();
    s.hasVfw = flags & 1;
    s.hasWdm = flags & 2;
    if (!s.hasVfw && !s.hasWdm) continue;
    s.useVfw = flags & 4;
    if (!s.hasVfw) s.vfwName.clear();
    if (!s.hasWdm) s.wdmName.clear();
    Bytes data = encodeVCapSettings(s);
    std::optional<VCapSettings> back = decodeVCapSettings(data);
    ASSERT_TRUE(back) << flags;
    EXPECT_EQ(*back, s) << flags;
    EXPECT_EQ(encodeVCapSettings(*back), data) << flags;
  }
}

TEST(VCapSettingsFile, EveryTruncationIsTreatedAsMissing) {
  Bytes data = encodeVCapSettings(bothDevices());
  for (size_t n = 0; n < data.size(); ++n)
    EXPECT_FALSE(decodeVCapSettings(Bytes(data.begin(), data.begin() + n))) << n;
}

TEST(VCapSettingsFile, CorruptFilesAreTreatedAsMissing) {
  const Bytes good = encodeVCapSettings(bothDevices());
  auto with = [&](size_t at, uint8_t value) {
    Bytes d = good;
    d[at] = value;
    return d;
  };
  EXPECT_FALSE(decodeVCapSettings(with(0, 1))) << "version 1";
  EXPECT_FALSE(decodeVCapSettings(with(3, 0x80))) << "another version";
  EXPECT_FALSE(decodeVCapSettings(with(20, 2))) << "hasVfw 2";
  EXPECT_FALSE(decodeVCapSettings(with(21, 0xFF))) << "hasWdm 255";
  EXPECT_FALSE(decodeVCapSettings(with(22, 3))) << "useVfw 3";
  // A name whose NUL is missing: the last NUL overwritten.
  EXPECT_FALSE(decodeVCapSettings(with(good.size() - 1, 'x')));
  Bytes trailing = good;
  trailing.push_back(0);
  EXPECT_FALSE(decodeVCapSettings(trailing));
  // Neither device: no filter could ever be bound from it.
  Bytes neither(good.begin(), good.begin() + 24);
  neither[20] = neither[21] = 0;
  EXPECT_FALSE(decodeVCapSettings(neither));
}

TEST(VCapSettingsFile, PictureValuesByPropertyNumber) {
  VCapSettings s;
  s.setPicture(Brightness, 1);
  s.setPicture(Contrast, 2);
  s.setPicture(Hue, 3);
  s.setPicture(Saturation, 4);
  EXPECT_EQ(s.brightness, 1);
  EXPECT_EQ(s.contrast, 2);
  EXPECT_EQ(s.hue, 3);
  EXPECT_EQ(s.saturation, 4);
  EXPECT_EQ(s.picture(Hue), 3);
  EXPECT_EQ(s.picture(Saturation), 4);
  s.setPicture(9, 99);
  EXPECT_EQ(s.picture(9), 0);
  EXPECT_EQ(encodeVCapSettings(s)[4], 4);  // saturation comes first in the file
}

TEST(VCapSettingsFile, PictureWordsAreExactCase) {
  EXPECT_EQ(pictureProperty("Brightness"), 0);
  EXPECT_EQ(pictureProperty("Contrast"), 1);
  EXPECT_EQ(pictureProperty("Hue"), 2);
  EXPECT_EQ(pictureProperty("Saturation"), 3);
  EXPECT_FALSE(pictureProperty("hue"));
  EXPECT_FALSE(pictureProperty(""));
}

TEST(VCapSettingsFile, FileNamesInTheProgramFolder) {
  EXPECT_EQ(vcapSettingsPath("C:\\app\\"), "C:\\app\\VCapSorce.dat");
  EXPECT_EQ(videoProfilePath("C:\\app\\", sj("ＴＶ"), true), "C:\\app\\" + sj("ＴＶ") + ".video");
  EXPECT_EQ(videoProfilePath("C:\\app\\", "q", false), "C:\\app\\q.video2");
}

namespace {

MediaTypeRecord sampleType() {
  MediaTypeRecord t;
  t.majortype = {0x73646976, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
  t.subtype = {0x32595559, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
  t.fixedSizeSamples = 1;
  t.temporalCompression = 0;
  t.sampleSize = 614400;
  t.formattype = kFormatVideoInfo;
  for (int i = 0; i < 88; ++i) t.format.push_back(static_cast<uint8_t>(i * 3));
  t.format[48] = 40;  // bmiHeader.biSize
  t.format[49] = t.format[50] = t.format[51] = 0;
  return t;
}

uint32_t u32At(const Bytes& d, size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}

}  // namespace

TEST(MediaTypeFile, FieldsAtTheirOffsetsWithPointerSlotsZero) {
  const MediaTypeRecord t = sampleType();
  const Bytes d = encodeMediaTypeFile(t);
  ASSERT_EQ(d.size(), 76u + 88u);
  EXPECT_EQ(u32At(d, 0), 1u);
  const Bytes major = {0x76, 0x69, 0x64, 0x73, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
  EXPECT_EQ(Bytes(d.begin() + 4, d.begin() + 20), major);
  EXPECT_EQ(u32At(d, 20), 0x32595559u);  // subtype.Data1
  EXPECT_EQ(u32At(d, 36), 1u);           // bFixedSizeSamples
  EXPECT_EQ(u32At(d, 40), 0u);           // bTemporalCompression
  EXPECT_EQ(u32At(d, 44), 614400u);      // lSampleSize
  const Bytes format = {0x80, 0x9f, 0x58, 0x05, 0x56, 0xc3, 0xce, 0x11, 0xbf, 0x01, 0x00, 0xaa, 0x00, 0x55, 0x59, 0x5a};
  EXPECT_EQ(Bytes(d.begin() + 48, d.begin() + 64), format);  // FORMAT_VideoInfo
  EXPECT_EQ(u32At(d, 64), 0u);                               // pUnk
  EXPECT_EQ(u32At(d, 68), 88u);                              // cbFormat
  EXPECT_EQ(u32At(d, 72), 0u);                               // pbFormat
  EXPECT_EQ(Bytes(d.begin() + 76, d.end()), t.format);
}

TEST(MediaTypeFile, RoundTripIsByteExactAndIgnoresTheLeadingNumberAndPointers) {
  const MediaTypeRecord t = sampleType();
  Bytes d = encodeMediaTypeFile(t);
  std::optional<MediaTypeRecord> back = decodeMediaTypeFile(d);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, t);
  EXPECT_EQ(encodeMediaTypeFile(*back), d);
  // A file written with pointer values in its slots and another leading number reads alike.
  d[0] = 9;
  d[64] = 0x78;
  d[75] = 0x12;
  back = decodeMediaTypeFile(d);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, t);
}

TEST(MediaTypeFile, AnEmptyFormatBlockOfAFormatTypeWithoutStructure) {
  MediaTypeRecord t = sampleType();
  t.formattype = Guid{};
  t.format.clear();
  Bytes d = encodeMediaTypeFile(t);
  EXPECT_EQ(d.size(), 76u);
  ASSERT_TRUE(decodeMediaTypeFile(d));
  EXPECT_TRUE(decodeMediaTypeFile(d)->format.empty());
}

TEST(MediaTypeFile, TruncatedFilesAreUnreadable) {
  const Bytes d = encodeMediaTypeFile(sampleType());
  for (size_t n = 0; n < d.size(); ++n) EXPECT_FALSE(decodeMediaTypeFile(Bytes(d.begin(), d.begin() + n))) << n;
}

TEST(MediaTypeFile, FormatCountsBeyondTheFileOrTheLimitAreUnreadable) {
  Bytes d = encodeMediaTypeFile(sampleType());
  d[68] = 89;  // one more than the block holds
  EXPECT_FALSE(decodeMediaTypeFile(d));
  d[68] = 0xFF;
  d[69] = d[70] = d[71] = 0xFF;  // 4 GB
  EXPECT_FALSE(decodeMediaTypeFile(d));
  // Over the limit even when the bytes are there.
  MediaTypeRecord big = sampleType();
  big.format.assign(kMaxFormatBlockSize + 1, 0);
  EXPECT_FALSE(decodeMediaTypeFile(encodeMediaTypeFile(big)));
  big.format.assign(kMaxFormatBlockSize, 0);
  EXPECT_TRUE(decodeMediaTypeFile(encodeMediaTypeFile(big)));
}
