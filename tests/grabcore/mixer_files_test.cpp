// SoundMixer.dat and the CD_MIXERLINES block, byte for byte.
#include <gtest/gtest.h>

#include "grabcore/core/mixer_settings.h"

using Bytes = std::vector<uint8_t>;

namespace {

const MixerSettings kTwoLines{true, 1, {{"Master", 0x10, 0x11}, {"CD", 0x20, 0x21}}};
const Bytes kTwoLinesFile = {2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0,  // version, valid, position, n
                             0x10, 0, 0, 0, 0x11, 0, 0, 0, 0x20, 0, 0, 0, 0x21, 0, 0, 0,
                             'M', 'a', 's', 't', 'e', 'r', 0, 'C', 'D', 0};
const Bytes kNotValidFile = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// The file with its count replaced.
Bytes withCount(Bytes data, uint32_t count) {
  for (int i = 0; i < 4; ++i) data[12 + i] = static_cast<uint8_t>(count >> (8 * i));
  return data;
}

}  // namespace

TEST(SoundMixerDat, IsWrittenFieldByFieldAndReadBack) {
  EXPECT_EQ(encodeMixerSettings(kTwoLines), kTwoLinesFile);
  EXPECT_EQ(decodeMixerSettings(kTwoLinesFile), kTwoLines);
  // A record that is not valid is written without its lines and position.
  EXPECT_EQ(encodeMixerSettings({false, 0, kTwoLines.lines}), kNotValidFile);
  EXPECT_EQ(decodeMixerSettings(kNotValidFile), MixerSettings{});
}

TEST(SoundMixerDat, DamagedFilesCountAsMissing) {
  Bytes otherVersion = kTwoLinesFile, badFlag = kTwoLinesFile, trailing = kTwoLinesFile, listed = kTwoLinesFile;
  otherVersion[0] = 1;
  badFlag[4] = 2;
  trailing.push_back(0);
  listed[4] = 0;  // not valid, yet with lines
  for (const Bytes& data :
       {Bytes{}, Bytes(kTwoLinesFile.begin(), kTwoLinesFile.begin() + 15), otherVersion, badFlag, trailing, listed,
        Bytes(kTwoLinesFile.begin(), kTwoLinesFile.end() - 1), withCount(kTwoLinesFile, 0xffffffff),
        withCount(kTwoLinesFile, 0x7fffffff), withCount(kTwoLinesFile, 3)})
    EXPECT_FALSE(decodeMixerSettings(data)) << data.size();
  // A valid record without lines.
  Bytes empty = kNotValidFile;
  empty[4] = 1;
  EXPECT_FALSE(decodeMixerSettings(empty));
}

TEST(SoundMixerDat, CountIsCappedEvenWhenTheFileHoldsThatMany) {
  MixerSettings many{true, 0, std::vector<MixerLine>(kMaxMixerLines + 1, MixerLine{"x", 1, 2})};
  EXPECT_FALSE(decodeMixerSettings(encodeMixerSettings(many)));
  many.lines.pop_back();
  EXPECT_EQ(decodeMixerSettings(encodeMixerSettings(many)), many);
}

TEST(MixerLinesBlock, CountThenNamesEachEndedByNul) {
  EXPECT_EQ(encodeMixerLineNames({{"Master", 1, 2}, {"", 3, 4}, {"\x83\x5c", 5, 6}}),
            (Bytes{3, 0, 0, 0, 'M', 'a', 's', 't', 'e', 'r', 0, 0, 0x83, 0x5c, 0}));
}
