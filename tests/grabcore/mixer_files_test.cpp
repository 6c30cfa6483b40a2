// SoundMixer.dat and the CD_MIXERLINES block, byte for byte.
#include <gtest/gtest.h>

#include "grabcore/core/mixer_settings.h"

using Bytes = std::vector<uint8_t>;

namespace {

MixerSettings twoLines() {
  MixerSettings settings;
  settings.valid = true;
  settings.position = 1;
  settings.lines = {{"Master", 0x10, 0x11}, {"CD", 0x20, 0x21}};
  return settings;
}

const Bytes kTwoLines = {2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0,  // version, valid, position, n
                         0x10, 0, 0, 0, 0x11, 0, 0, 0, 0x20, 0, 0, 0, 0x21, 0, 0, 0,
                         'M', 'a', 's', 't', 'e', 'r', 0, 'C', 'D', 0};

void le32(Bytes& out, int32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
}

Bytes header(int32_t version, uint8_t valid, int32_t position, int32_t count) {
  Bytes out;
  le32(out, version);
  out.insert(out.end(), {valid, 0, 0, 0});
  le32(out, position);
  le32(out, count);
  return out;
}

}  // namespace

TEST(SoundMixerDat, IsWrittenFieldByFieldAndReadBack) {
  EXPECT_EQ(encodeMixerSettings(twoLines()), kTwoLines);
  EXPECT_EQ(decodeMixerSettings(kTwoLines), twoLines());
}

TEST(SoundMixerDat, ARecordThatIsNotValidHasNoLines) {
  MixerSettings settings = twoLines();
  settings.valid = false;
  settings.position = 0;
  EXPECT_EQ(encodeMixerSettings(settings), header(2, 0, 0, 0));
  std::optional<MixerSettings> read = decodeMixerSettings(header(2, 0, 0, 0));
  ASSERT_TRUE(read);
  EXPECT_FALSE(read->valid);
  EXPECT_TRUE(read->lines.empty());
}

TEST(SoundMixerDat, DamagedFilesCountAsMissing) {
  auto damaged = [](Bytes data) { return !decodeMixerSettings(data).has_value(); };
  EXPECT_TRUE(damaged({}));
  EXPECT_TRUE(damaged(Bytes(kTwoLines.begin(), kTwoLines.begin() + 15)));
  Bytes other = kTwoLines;
  other[0] = 1;
  EXPECT_TRUE(damaged(other));
  Bytes flag = kTwoLines;
  flag[4] = 2;
  EXPECT_TRUE(damaged(flag));
  // Counts the file cannot hold: negative, huge, or more pairs and names than there are bytes.
  for (int32_t count : {-1, 0x7fffffff, 3}) {
    Bytes data = kTwoLines;
    Bytes head = header(2, 1, 1, count);
    std::copy(head.begin(), head.end(), data.begin());
    EXPECT_TRUE(damaged(data)) << count;
  }
  // A valid record without lines, one whose last name lacks its NUL, bytes after the names.
  EXPECT_TRUE(damaged(header(2, 1, 0, 0)));
  EXPECT_TRUE(damaged(Bytes(kTwoLines.begin(), kTwoLines.end() - 1)));
  Bytes trailing = kTwoLines;
  trailing.push_back(0);
  EXPECT_TRUE(damaged(trailing));
  // A record that is not valid but lists lines.
  Bytes listed = kTwoLines;
  listed[4] = 0;
  EXPECT_TRUE(damaged(listed));
}

TEST(SoundMixerDat, CountIsCappedEvenWhenTheFileHoldsThatMany) {
  MixerSettings many;
  many.valid = true;
  many.lines.resize(kMaxMixerLines + 1, MixerLine{"x", 1, 2});
  EXPECT_FALSE(decodeMixerSettings(encodeMixerSettings(many)));
  many.lines.resize(kMaxMixerLines);
  EXPECT_EQ(decodeMixerSettings(encodeMixerSettings(many)), many);
}

TEST(MixerLinesBlock, CountThenNamesEachEndedByNul) {
  EXPECT_EQ(encodeMixerLineNames({{"Master", 1, 2}, {"", 3, 4}, {"\x83\x5c", 5, 6}}),
            (Bytes{3, 0, 0, 0, 'M', 'a', 's', 't', 'e', 'r', 0, 0, 0x83, 0x5c, 0}));
}
