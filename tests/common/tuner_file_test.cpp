// TvTuner.dat and TvTuner.dat2 byte for byte, short and corrupt (the guide's channel list covers
// the names reader over such files).
#include "common/tuner_file.h"

#include <gtest/gtest.h>

// A reader that sizes a table from a count the file cannot back fails here.
extern "C" const char* __asan_default_options() { return "max_allocation_size_mb=64"; }

using tavora::TunerFile;
using Bytes = std::vector<uint8_t>;

namespace {

TunerFile twoChannels() {
  TunerFile f;
  f.currentKey = 65535;
  f.inputType = 0;
  f.antennaMin = 1;
  f.antennaMax = 62;
  f.cableMin = 13;
  f.cableMax = 0x1234;
  f.entries = {{12, 12, "\x95\x5C"}, {65535, -1, ""}};  // a name with trail byte '\', an empty name
  return f;
}

Bytes expectedTwoChannels() {
  Bytes b = {1, 0, 0, 0};
  b.insert(b.end(), 60, 0);
  const Bytes header = {0xFF, 0xFF, 0, 0, 1, 0, 62, 0, 13, 0, 0x34, 0x12, 2, 0, 0, 0};
  b.insert(b.end(), header.begin(), header.end());
  const Bytes entries = {12, 0, 12, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
  b.insert(b.end(), entries.begin(), entries.end());
  const Bytes strings = {'@', 0, '@', 0, '@', 0, 0x95, 0x5C, 0, 0};
  b.insert(b.end(), strings.begin(), strings.end());
  return b;
}

}  // namespace

TEST(TunerDat, LayoutOfHeaderEntriesDeviceSlotsAndNamesAndEveryTruncationOrOverlongCountRejected) {
  const Bytes whole = expectedTwoChannels();
  EXPECT_EQ(tavora::buildTunerDat(twoChannels()), whole);
  EXPECT_EQ(tavora::parseTunerDat(whole), twoChannels());
  for (size_t len = 0; len < whole.size(); ++len)
    EXPECT_FALSE(tavora::parseTunerDat(Bytes(whole.begin(), whole.begin() + long(len)))) << len;
  Bytes corrupt = whole;
  corrupt[76] = 0xFF;  // n = 255
  EXPECT_FALSE(tavora::parseTunerDat(corrupt));
  corrupt[76] = 0;
  corrupt[79] = 0x80;  // a negative n
  EXPECT_FALSE(tavora::parseTunerDat(corrupt));
  corrupt[79] = 0;
  corrupt[78] = 0x20;  // n = 2,097,152 entries that fit, but not their names
  corrupt.resize(80 + 8 * 0x200000);
  EXPECT_FALSE(tavora::parseTunerDat(corrupt));
}

TEST(TunerDat2, LayoutAndValidation) {
  const std::vector<tavora::TunerTypeRecord> records = {{12, 1}, {65534, 0}};
  const Bytes expected = {1, 0, 0, 0, 2, 0, 0, 0, 12, 0, 1, 0, 0xFE, 0xFF, 0, 0};
  EXPECT_EQ(tavora::buildTunerDat2(records), expected);
  EXPECT_EQ(tavora::parseTunerDat2(expected), records);
  EXPECT_FALSE(tavora::parseTunerDat2(Bytes(expected.begin(), expected.end() - 1)));
  EXPECT_FALSE(tavora::parseTunerDat2(Bytes(expected.begin(), expected.begin() + 6)));
}
