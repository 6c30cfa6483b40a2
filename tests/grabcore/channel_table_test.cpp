// The channel table: free keys, the editor's operations, the blocks and the files' contents.
#include "grabcore/core/channel_table.h"

#include <gtest/gtest.h>

#include "common/bytes.h"
#include "fake_engine.h"

using Bytes = std::vector<uint8_t>;

namespace {

// A block: int32 values, then NUL-terminated strings.
Bytes block(std::initializer_list<int32_t> ints, std::initializer_list<std::string> strings) {
  tavora::ByteWriter w;
  for (int32_t v : ints) w.i32(v);
  for (const std::string& s : strings) w.cstr(s);
  return w.take();
}

// 1CH, 3CH, 5CH found on an antenna range 1..6, then the two inputs; 3CH current.
ChannelTable scanned() {
  ChannelTable t;
  t.antennaMax = 6;
  for (int c : {1, 3, 5}) t.appendFound(c, 1);
  t.appendInputs();
  t.setCurrent(1);
  return t;
}

std::vector<uint16_t> keys(const ChannelTable& t) {
  std::vector<uint16_t> k;
  for (const ChannelSet& c : t.channels) k.push_back(c.key);
  return k;
}

}  // namespace

TEST(ChannelTable, FoundChannelsTakeTheirNumberOrTheSmallestFreeKey) {
  ChannelTable t;
  t.channels.push_back({5, 40, "old", 1});
  t.appendFound(5, 0);  // 5 is taken: smallest free from 1
  t.appendFound(1, 0);  // 1 is now taken too
  t.appendInputs();
  t.appendFound(65535, 0);
  EXPECT_EQ(keys(t), (std::vector<uint16_t>{5, 1, 2, 65535, 65534, 3}));
  EXPECT_EQ(t.channels[1], (ChannelSet{1, 5, "5CH", 0}));
  EXPECT_EQ(t.channels[3], (ChannelSet{65535, -1, "Composit", 1}));
  EXPECT_EQ(t.channels[4], (ChannelSet{65534, -2, "S-Video", 1}));
}

TEST(ChannelTable, ChannelListShowsTheInputsByTheirTuningChannel) {
  ChannelTable t = scanned();
  t.channels[2].inputType = 0;
  const std::string ant = sj("アンテナ"), cbl = sj("ケーブル");
  EXPECT_EQ(t.channelListBlock(), block({1, 5}, {"1CH", "1", "1", ant, "3CH", "3", "3", ant, "5CH", "5", "5", cbl,
                                                 "Composit", "C", "Composit", ant, "S-Video", "S", "S-Video", ant}));
}

TEST(ChannelTable, FreeChannelsOfferTheRangeMaximumAndInsertDoesNot) {
  ChannelTable t = scanned();
  EXPECT_EQ(t.freeChannelsBlock(1), block({1, 4}, {"2", "3", "4", "6"}));  // 3, the current key, at position 1
  t.channels[1].key = 9;  // outside the range
  EXPECT_EQ(t.freeChannelsBlock(1), block({4, 4}, {"2", "3", "4", "6"}));  // 3 is offered, 9 is not there

  ChannelTable u = scanned();
  const std::optional<std::vector<uint16_t>> offered = u.insert(0, "new", 7, 1);
  ASSERT_TRUE(offered);
  EXPECT_EQ(*offered, (std::vector<uint16_t>{2, 4}));  // 1..5: the maximum 6 is not offered
  EXPECT_EQ(u.channels[0], (ChannelSet{2, 7, "new", 1}));
  EXPECT_EQ(u.currentIndex(), 0u);
  EXPECT_EQ(ChannelTable::numbersBlock(*offered), block({2}, {"2", "4"}));
  u.antennaMin = u.antennaMax = 3;  // 3..2 offers nothing: the smallest key no entry holds
  EXPECT_EQ(u.insert(1, "x", 1, 1), (std::vector<uint16_t>{4}));
  EXPECT_EQ(keys(u), (std::vector<uint16_t>{2, 4, 1, 3, 5, 65535, 65534}));
}

TEST(ChannelTable, KeysOfferedStayWithinSixteenBits) {
  ChannelTable t;
  t.appendInputs();
  t.setCurrent(0);
  t.cableMin = 65530;
  t.cableMax = 70000;  // as a card might report it
  EXPECT_EQ(t.freeChannelsBlock(0), block({4, 5}, {"65530", "65531", "65532", "65533", "65535"}));
}

TEST(ChannelTable, EditsOutsideTheTableChangeNothing) {
  ChannelTable t = scanned();
  EXPECT_FALSE(t.insert(5, "x", 1, 1));
  EXPECT_FALSE(t.changeValue(5, "x", 1, 1, 1));
  EXPECT_EQ(t.channels, scanned().channels);
  EXPECT_EQ(t.currentIndex(), 1u);
}

TEST(ChannelTable, SwapsLetTheCurrentPositionFollowItsEntry) {
  ChannelTable t = scanned();  // current 3CH at 1
  EXPECT_TRUE(t.moveDown(3));  // unrelated swap
  EXPECT_EQ(t.current()->name, "3CH");
  EXPECT_TRUE(t.moveUp(1));
  EXPECT_EQ(t.currentIndex(), 0u);
  EXPECT_FALSE(t.moveUp(0));
  EXPECT_TRUE(t.moveUp(1));  // the entry above the current one moves, the current one follows
  EXPECT_EQ(t.currentIndex(), 1u);
  EXPECT_EQ(t.current()->name, "3CH");
  EXPECT_FALSE(t.moveDown(4));
  EXPECT_FALSE(t.moveDown(99));
  EXPECT_EQ(t.current()->name, "3CH");
}

TEST(ChannelTable, DeletingKeepsTheSameChannelCurrentAndEmptiesCleanly) {
  ChannelTable t = scanned();
  EXPECT_TRUE(t.remove(0));
  EXPECT_EQ(t.current()->name, "3CH");
  EXPECT_TRUE(t.remove(0));  // the current entry itself: the next one takes its place
  EXPECT_EQ(t.current()->name, "5CH");
  t.setCurrent(2);
  EXPECT_TRUE(t.remove(2));  // the last one: the new last one
  EXPECT_EQ(t.current()->name, "Composit");
  EXPECT_FALSE(t.remove(2));
  EXPECT_TRUE(t.remove(0));
  EXPECT_TRUE(t.remove(0));
  EXPECT_EQ(t.current(), nullptr);
  EXPECT_FALSE(t.step(1));
  EXPECT_EQ(t.captionBlock(nullptr), Bytes{0});
  EXPECT_EQ(t.channelListBlock(), block({-1, 0}, {}));
  EXPECT_EQ(t.toFile().entries.size(), 0u);
}

TEST(ChannelTable, FilesRoundTripWithTypesPerKeyAndFallbacks) {
  ChannelTable t = scanned();
  t.channels[0].inputType = 0;
  t.inputType = 1;
  t.antennaMax = 62;
  t.cableMax = 113;
  tavora::TunerFile file = t.toFile();
  EXPECT_EQ(file.currentKey, 3);
  std::vector<tavora::TunerTypeRecord> records = t.typeRecords();
  records.push_back({77, 0});  // a key no entry has
  records.erase(records.begin() + 2);  // 5CH without a record takes header byte 66
  file.inputType = 0;
  ChannelTable back;
  back.load(file, records);
  EXPECT_EQ(back.channels[0].inputType, 0);
  EXPECT_EQ(back.channels[1].inputType, 1);
  EXPECT_EQ(back.channels[2].inputType, 0);
  EXPECT_EQ(back.channels.size(), 5u);
  EXPECT_EQ(back.current()->name, "3CH");
  EXPECT_EQ(back.antennaMax, 62);
  EXPECT_EQ(back.cableMax, 113);
  EXPECT_EQ(back.inputType, 0);

  file.currentKey = 4000;  // no entry: the first becomes current
  back.load(file, {});
  EXPECT_EQ(back.currentIndex(), 0u);
}
