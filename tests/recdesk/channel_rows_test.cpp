// The channel editor's blocks and row rules.
#include <gtest/gtest.h>

#include "common/sj.h"
#include "recdesk/core/channel_rows.h"

using namespace channels;

TEST(ChannelRows, KeysAndTuningOfTheRows) {
  const std::string ant = sj("アンテナ"), cbl = sj("ケーブル");
  const ChannelRow nhk{"NHK", "1", "1", ant}, composite{"Composit", "C", "Composit", ant};
  EXPECT_FALSE(isExternalInput(nhk));
  EXPECT_TRUE(isExternalInput(composite));
  EXPECT_EQ(rowKey(nhk), 1);
  EXPECT_EQ(rowKey(composite), -1);
  EXPECT_EQ(rowTuning(composite), -1);
  EXPECT_EQ(rowKey(ChannelRow{"x", "S", "S-Video", ant}), -2);
  EXPECT_EQ(rowTuning(ChannelRow{"x", "S", "S-Video", ant}), -2);
  EXPECT_FALSE(rowKey(ChannelRow{"x", "70000", "1", ant}));
  EXPECT_FALSE(isCable(nhk));
  EXPECT_TRUE(isCable(ChannelRow{"x", "4", "4", cbl}));
}

TEST(ChannelRows, TuningEntriesAndTheClamp) {
  const TuningRange antenna{1, 62};
  auto kindOf = [&](const char* text) { return readTuning(text, antenna).kind; };
  EXPECT_EQ(kindOf(""), TuningKind::empty);
  EXPECT_EQ(kindOf("Composit"), TuningKind::composite);
  EXPECT_EQ(kindOf("S-Video"), TuningKind::sVideo);
  EXPECT_EQ(kindOf("70"), TuningKind::outOfRange);
  EXPECT_EQ(kindOf("0"), TuningKind::outOfRange);
  EXPECT_EQ(kindOf("4a"), TuningKind::notNumber);
  EXPECT_EQ(readTuning("40", antenna).value, 40);
  EXPECT_EQ(kindOf("62"), TuningKind::inRange);
  EXPECT_EQ(clampTuning(100, antenna), 62);
  EXPECT_EQ(clampTuning(0, antenna), 1);
  EXPECT_EQ(clampTuning(30, antenna), 30);
  EXPECT_TRUE(nameAllowed("A 5"));
  EXPECT_FALSE(nameAllowed("A\"5"));
}

TEST(ChannelRows, MovesAndTheSelectionAfterADelete) {
  std::vector<ChannelRow> rows = {{"a", "1", "1", ""}, {"b", "2", "2", ""}, {"c", "3", "3", ""}};
  EXPECT_EQ(moveRow(rows, 2, -1), 1);
  EXPECT_EQ(rows[1].name, "c");
  EXPECT_EQ(rows[2].name, "b");
  EXPECT_EQ(moveRow(rows, 0, -1), -1);
  EXPECT_EQ(moveRow(rows, 2, +1), -1);
  EXPECT_EQ(moveRow(rows, 0, +1), 1);
  EXPECT_EQ(rows[0].name, "c");
  EXPECT_EQ(rows[1].name, "a");
  EXPECT_EQ(selectionAfterDelete(5, 4), 3);
  EXPECT_EQ(selectionAfterDelete(5, 2), 2);
  EXPECT_EQ(selectionAfterDelete(2, 0), 0);
}
