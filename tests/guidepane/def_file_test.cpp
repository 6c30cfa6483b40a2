// guidepane.dat: the 76-byte header, the pairs and the base address, defaults and damaged files.
#include "guidepane/core/def_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/bytes.h"
#include "common/fileio.h"
#include "common/sj.h"
#include "guidepane/core/listing_site.h"
#include "recdesk/temp_dir.h"

namespace {

const DesignPanels kDesign{{1, 2}, {3, 4}, {5, 6}, {7, 8}};

class GuideSettingsFile : public ::testing::Test {
 protected:
  TempDir dir;
  const std::string path = dir.file("guidepane.dat");

  std::vector<uint8_t> written(void (*fill)(defFile&)) {
    { defFile settings(path, kDesign); fill(settings); }
    auto data = tavora::readWholeFile(path);
    return data ? *data : std::vector<uint8_t>{};
  }
};

TEST_F(GuideSettingsFile, AMissingFileGivesTheDefaultsAndIsWrittenAtTheEnd) {
  const auto bytes = written([](defFile& s) {
    EXPECT_EQ(s.header.formatWord, 1);
    EXPECT_EQ(s.header.width, 0);
    EXPECT_EQ(s.header.online, 0);
    EXPECT_EQ(s.header.textSize, 2);
    EXPECT_EQ(s.header.panel5, (PanelPos{3, 4}));
    EXPECT_EQ(s.header.panel2A, (PanelPos{7, 8}));
    EXPECT_TRUE(s.baseAddress.ends_with("/tokyo/table/"));
    EXPECT_TRUE(s.stations.empty());
  });
  EXPECT_EQ(bytes.size(), 76u + sizeof guide::kDefaultBaseAddress);
}

TEST_F(GuideSettingsFile, FieldsAtTheirOffsetsAndBack) {
  const auto bytes = written([](defFile& s) {
    s.header.left = -5;
    s.header.top = 0x01020304;
    s.header.width = 640;
    s.header.height = 480;
    s.header.windowState = 2;
    s.header.panel4 = {11, 12};
    s.header.online = 1;
    s.header.textSize = 4;
    s.header.downloadRecords = 1;
    s.baseAddress = "http://h/osaka/table/";
    s.setChannel("NHK", 3);
    s.setChannel("", 0);
    s.setChannel(sj("東京"), 7);
  });
  tavora::ByteReader in(bytes);
  EXPECT_EQ(in.i32(), 1);
  EXPECT_EQ(in.i32(), -5);
  EXPECT_EQ(in.i32(), 0x01020304);
  EXPECT_EQ(in.i32(), 640);
  EXPECT_EQ(in.i32(), 480);
  EXPECT_EQ(in.u32(), 2u);  // state and zero padding
  in.seek(40);
  EXPECT_EQ(in.i32(), 11);
  EXPECT_EQ(in.i32(), 12);
  in.seek(56);
  EXPECT_EQ(in.u32(), 1u);
  EXPECT_EQ(in.i32(), 4);
  EXPECT_EQ(in.u32(), 0u);  // pointer slot
  EXPECT_EQ(in.u32(), 1u);
  EXPECT_EQ(in.u32(), 3u);
  EXPECT_EQ(in.i32(), 3);
  EXPECT_EQ(in.i32(), 0);
  EXPECT_EQ(in.i32(), 7);
  EXPECT_EQ(in.cstr(), "http://h/osaka/table/");
  EXPECT_EQ(in.cstr(), "NHK");
  EXPECT_EQ(in.cstr(), "");
  EXPECT_EQ(in.cstr(), sj("東京"));
  EXPECT_TRUE(in.atEnd());

  defFile back(path, {});
  EXPECT_EQ(encodeGuideSettings(back), bytes);
  EXPECT_EQ(back.header.panel4, (PanelPos{11, 12}));
  EXPECT_EQ(back.channelOf(""), 0);
}

TEST(GuideStations, APositionBelongsToOneStationAndLookupsTakeTheFirstPair) {
  TempDir dir;
  defFile s(dir.file("guidepane.dat"), kDesign);
  s.setChannel("A", 3);
  s.setChannel("B", 3);
  ASSERT_EQ(s.stations.size(), 1u);
  EXPECT_FALSE(s.channelOf("A"));
  EXPECT_EQ(s.channelOf("B"), 3);
  s.setChannel("B", 5);
  EXPECT_EQ(s.stations.size(), 2u);
  EXPECT_EQ(s.channelOf("B"), 3);
  EXPECT_FALSE(s.channelOf("b"));
}

TEST_F(GuideSettingsFile, DamagedFilesGiveTheDefaultsWithoutReadingPastTheirEnd) {
  const auto good = written([](defFile& s) {
    s.header.textSize = 3;
    s.setChannel("NHK", 1);
  });
  auto loadsDefaults = [&](std::vector<uint8_t> data) {
    EXPECT_TRUE(tavora::writeFileReplacing(path, data));
    defFile s(path, kDesign);
    return s.header.textSize == 2 && s.stations.empty() && s.header.panel3 == kDesign.panel3;
  };
  EXPECT_TRUE(loadsDefaults(std::vector<uint8_t>(good.begin(), good.begin() + 75)));
  EXPECT_TRUE(loadsDefaults(std::vector<uint8_t>(good.begin(), good.end() - 1)));  // last code's NUL missing
  auto huge = good;
  huge[72] = 0xFF, huge[73] = 0xFF, huge[74] = 0xFF, huge[75] = 0x7F;
  EXPECT_TRUE(loadsDefaults(huge));
  auto two = good;
  two[72] = 2;  // a second pair whose code would lie past the end
  EXPECT_TRUE(loadsDefaults(two));
  EXPECT_FALSE(loadsDefaults(good));
}

TEST_F(GuideSettingsFile, TextSizeAndWindowStateAreBroughtIntoRange) {
  auto bytes = written([](defFile&) {});
  bytes[20] = 7;
  bytes[60] = 9;
  ASSERT_TRUE(tavora::writeFileReplacing(path, bytes));
  defFile s(path, kDesign);
  EXPECT_EQ(s.header.windowState, 0);
  EXPECT_EQ(s.header.textSize, 4);
  bytes[60] = 0xFF, bytes[61] = 0xFF, bytes[62] = 0xFF, bytes[63] = 0xFF;
  EXPECT_EQ(decodeGuideSettings(bytes)->header.textSize, 0);
}

TEST_F(GuideSettingsFile, AFileThatCannotBeWrittenKeepsTheOldOne) {
  const auto before = written([](defFile& s) { s.setChannel("X", 1); });
  {
    defFile s(path, kDesign);
    s.setChannel("Y", 2);
    std::filesystem::create_directory(path + ".tmp");  // the writer's temporary cannot be made
  }
  EXPECT_EQ(tavora::readWholeFile(path), before);
}

}  // namespace
