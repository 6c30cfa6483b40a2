// The channel editor's blocks and row rules.
#include <gtest/gtest.h>

#include "common/sj.h"
#include "recdesk/core/channel_rows.h"

using namespace channels;

namespace {

std::vector<uint8_t> block(int32_t head, int32_t count, const std::vector<std::string>& strings) {
  std::vector<uint8_t> out;
  for (int32_t v : {head, count})
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  for (const std::string& s : strings) {
    out.insert(out.end(), s.begin(), s.end());
    out.push_back(0);
  }
  return out;
}

}  // namespace

TEST(ChannelRows, BlocksAreReadAndCheckedAgainstTheirSize) {
  const std::string ant = sj("アンテナ"), cbl = sj("ケーブル");
  const auto list = block(1, 2, {"NHK", "1", "1", ant, "Composit", "C", "Composit", ant});
  const auto read = readChannelList(list.data(), list.size());
  ASSERT_TRUE(read);
  EXPECT_EQ(read->current, 1);
  EXPECT_EQ(read->rows, (std::vector<ChannelRow>{{"NHK", "1", "1", ant}, {"Composit", "C", "Composit", ant}}));
  EXPECT_FALSE(isExternalInput(read->rows[0]));
  EXPECT_TRUE(isExternalInput(read->rows[1]));
  EXPECT_EQ(rowKey(read->rows[1]), -1);
  EXPECT_EQ(rowTuning(read->rows[1]), -1);
  EXPECT_EQ(rowKey(ChannelRow{"x", "S", "S-Video", ant}), -2);
  EXPECT_TRUE(isCable(ChannelRow{"x", "4", "4", cbl}));
  // Short, long and lying blocks are refused.
  for (size_t cut = 0; cut < list.size(); ++cut) EXPECT_FALSE(readChannelList(list.data(), cut)) << cut;
  auto extra = list;
  extra.push_back('x');
  EXPECT_FALSE(readChannelList(extra.data(), extra.size()));
  const auto negative = block(0, -1, {});
  EXPECT_FALSE(readChannelList(negative.data(), negative.size()));

  const auto free = block(2, 3, {"1", "3", "4"});
  const auto choice = readFreeChannels(free.data(), free.size());
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->position, 2);
  EXPECT_EQ(choice->keys, (std::vector<std::string>{"1", "3", "4"}));
  EXPECT_FALSE(readFreeChannels(free.data(), free.size() - 1));
  const std::vector<uint8_t> numbers = {2, 0, 0, 0, '5', 0, '6', 0};
  EXPECT_EQ(*readChannelNumbers(numbers.data(), numbers.size()), (std::vector<std::string>{"5", "6"}));
  EXPECT_FALSE(readChannelNumbers(numbers.data(), 7));
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
