// guidepane.dat: the 76-byte header, the pairs and the base address, defaults and damaged files.
#include "guidepane/core/def_file.h"

#include <gtest/gtest.h>

#include "common/bytes.h"
#include "common/fileio.h"
#include "common/sj.h"
#include "guidepane/core/listing_site.h"
#include "recdesk/temp_dir.h"

namespace {

const DesignPanels kDesign{{1, 2}, {3, 4}, {5, 6}, {7, 8}};

struct GuideSettingsFile : ::testing::Test {
  TempDir dir;
  const std::string path = dir.file("guidepane.dat");

  template <class Fill>
  std::vector<uint8_t> written(Fill fill) {
    { defFile settings(path, kDesign); fill(settings); }
    return tavora::readWholeFile(path).value_or(std::vector<uint8_t>{});
  }
  bool loadsDefaults(const std::vector<uint8_t>& data) {
    EXPECT_TRUE(tavora::writeFileReplacing(path, data));
    defFile s(path, kDesign);
    return s.header.textSize == 2 && s.stations.empty() && s.header.panel3 == kDesign.panel3;
  }
};

TEST_F(GuideSettingsFile, AMissingFileGivesTheDefaults) {
  const auto bytes = written([](defFile& s) {
    EXPECT_EQ(s.header.formatWord + s.header.width + s.header.online + s.header.windowState, 1);
    EXPECT_EQ(s.header.panel2A, (PanelPos{7, 8}));
    EXPECT_TRUE(s.baseAddress.ends_with("/tokyo/table/"));
  });
  EXPECT_EQ(bytes.size(), 76u + sizeof guide::kDefaultBaseAddress);
  EXPECT_TRUE(loadsDefaults(bytes));
}

TEST_F(GuideSettingsFile, FieldsAtTheirOffsetsAndBack) {
  const auto bytes = written([](defFile& s) {
    s.header = {1, -5, 0x01020304, 640, 480, 2, {}, {}, {11, 12}, {}, 1, 4, 1};
    s.baseAddress = "http://h/osaka/table/";
    s.setChannel("NHK", 3);
    s.stations.push_back({"", 0});  // an empty code read from an older file
    s.setChannel(sj("東京"), 7);
  });
  tavora::ByteReader in(bytes);
  for (int32_t v : {1, -5, 0x01020304, 640, 480, 2}) EXPECT_EQ(in.i32(), v);  // state with zero padding
  in.seek(40);
  for (int32_t v : {11, 12}) EXPECT_EQ(in.i32(), v);
  in.seek(56);
  for (int32_t v : {1, 4, 0, 1, 3, 3, 0, 7}) EXPECT_EQ(in.i32(), v);  // mode, size, slot, box, N, pairs
  for (const std::string& s : {std::string("http://h/osaka/table/"), std::string("NHK"), std::string(), sj("東京")})
    EXPECT_EQ(in.cstr(), s);
  EXPECT_TRUE(in.atEnd());

  defFile back(path, {});
  EXPECT_EQ(encodeGuideSettings(back), bytes);
  EXPECT_EQ(back.channelOf(""), 0);
}

TEST_F(GuideSettingsFile, APositionBelongsToOneStationAndLookupsTakeTheFirstPair) {
  defFile s(path, kDesign);
  s.setChannel("A", 3);
  s.setChannel("B", 3);
  ASSERT_EQ(s.stations.size(), 1u);
  EXPECT_FALSE(s.channelOf("A"));
  s.setChannel("B", 5);
  EXPECT_EQ(s.stations.size(), 2u);
  // A link without a code never takes over a station's channel.
  s.setChannel("", 3);
  EXPECT_EQ(s.channelOf("B"), 3);
  EXPECT_EQ(s.stations.size(), 2u);
  EXPECT_EQ(s.channelOf("B"), 3);
  EXPECT_FALSE(s.channelOf("b"));
}

TEST_F(GuideSettingsFile, DamagedFilesGiveTheDefaultsOrValuesInRange) {
  const auto good = written([](defFile& s) {
    s.header.textSize = 3;
    s.setChannel("NHK", 1);
  });
  EXPECT_FALSE(loadsDefaults(good));
  EXPECT_TRUE(loadsDefaults(std::vector<uint8_t>(good.begin(), good.begin() + 75)));
  EXPECT_TRUE(loadsDefaults(std::vector<uint8_t>(good.begin(), good.end() - 1)));  // last code's NUL missing
  auto count = good;
  count[72] = 2;  // a second pair whose code would lie past the end
  EXPECT_TRUE(loadsDefaults(count));
  count[75] = 0x7F;
  EXPECT_TRUE(loadsDefaults(count));

  auto range = good;
  range[20] = 7;     // window state
  range[60] = 0xFF;  // text size 255
  range[15] = 0x80;  // negative width
  const auto s = decodeGuideSettings(range);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->header.windowState, 0);
  EXPECT_EQ(s->header.textSize, 4);
  EXPECT_EQ(s->header.width, 0);
}

}  // namespace
