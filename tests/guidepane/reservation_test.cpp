// The reservation check: the channel list, the block for planbook, the station memory and the
// checks.
#include "guidepane/core/reservation.h"

#include <gtest/gtest.h>

#include "common/bytes.h"
#include "common/fileio.h"
#include "common/sj.h"
#include "common/tuner_file.h"
#include "guide_dates.h"
#include "guidepane/texts/guidepane_texts.h"
#include "recdesk/temp_dir.h"

namespace {

TEST(ChannelList, NamesInTableOrderOrNoTable) {
  TempDir dir;
  const std::string path = dir.file("TvTuner.dat");
  EXPECT_TRUE(guide::readChannelList(path).noChannelTable);
  tavora::TunerFile table;
  table.entries = {{1, 1, sj("総合")}, {65535, -1, "Composite"}, {3, 12, ""}};
  const std::vector<uint8_t> bytes = tavora::buildTunerDat(table);
  ASSERT_TRUE(tavora::writeFileReplacing(path, bytes));
  const guide::ChannelList list = guide::readChannelList(path);
  EXPECT_FALSE(list.noChannelTable);
  EXPECT_EQ(list.names, (std::vector<std::string>{sj("総合"), "Composite", ""}));

  ASSERT_TRUE(tavora::writeFileReplacing(path, std::vector<uint8_t>(bytes.begin(), bytes.end() - 1)));
  const guide::ChannelList cut = guide::readChannelList(path);
  EXPECT_TRUE(cut.noChannelTable && cut.names.empty());
}

TEST(ReservationBlock, LayoutForPlanbook) {
  const std::string title = sj("ニュース7");
  const auto block = guide::encodeReservation(at(2026, 12, 10, 19, 0), at(2026, 12, 10, 19, 30), 4, title);
  ASSERT_EQ(block.size(), title.size() + 33);
  tavora::ByteReader in(block);
  EXPECT_EQ(in.u32(), title.size() + 33);
  EXPECT_EQ(in.u32(), 32u);
  EXPECT_EQ(in.f64(), at(2026, 12, 10, 19, 0));
  EXPECT_EQ(in.f64(), at(2026, 12, 10, 19, 30));
  EXPECT_EQ(in.i32(), 4);
  EXPECT_EQ(in.u32(), 0u);
  EXPECT_EQ(in.cstr(), title);
  EXPECT_TRUE(in.atEnd());
}

TEST(ReservationCheck, ChecksInOrderAndTheStationMemory) {
  const double t = at(2026, 12, 10, 19, 0);
  EXPECT_EQ(guide::checkReservation(t, t, 0, "x"), nullptr);
  EXPECT_STREQ(guide::checkReservation(t + 1.0 / 1440, t, -1, ""), texts::kEndBeforeStart);
  EXPECT_STREQ(guide::checkReservation(t, t, -1, ""), texts::kNoChannelChosen);
  EXPECT_STREQ(guide::checkReservation(t, t, 2, ""), texts::kNoTitle);

  TempDir dir;
  defFile settings(dir.file("guidepane.dat"), {});
  guide::StationChoice c = guide::selectStation(settings, "NHK", 5);
  EXPECT_TRUE(c.firstTime);
  EXPECT_EQ(c.selected + c.remembered, -2);
  EXPECT_EQ(c.comboText, sj("[NHK]を選択してください"));
  EXPECT_EQ(guide::stationMemoryAction(c.remembered, 3), guide::StationMemory::remember);

  settings.setChannel("NHK", 3);
  c = guide::selectStation(settings, "NHK", 5);
  EXPECT_FALSE(c.firstTime);
  EXPECT_EQ(c.selected, 3);
  EXPECT_EQ(guide::stationMemoryAction(c.remembered, 3), guide::StationMemory::keep);
  EXPECT_EQ(guide::stationMemoryAction(c.remembered, 2), guide::StationMemory::ask);
  // A remembered position beyond today's channel list selects nothing.
  c = guide::selectStation(settings, "NHK", 3);
  EXPECT_EQ(c.selected, -1);
  EXPECT_EQ(c.remembered, 3);

  // "Yes, from now on": the next link pre-selects the channel; its former station is forgotten.
  settings.setChannel("TBS", 1);
  guide::rememberStation(settings, "NHK", 1);
  EXPECT_EQ(guide::selectStation(settings, "NHK", 5).selected, 1);
  EXPECT_TRUE(guide::selectStation(settings, "TBS", 5).firstTime);
  EXPECT_EQ(settings.stations.size(), 1u);
}

}  // namespace
