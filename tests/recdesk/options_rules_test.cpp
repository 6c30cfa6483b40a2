// The options dialog's rules: when it opens, its labels, new profile names, the rename's
// checks, and the engine's copy-data blocks read whole or not at all.
#include "recdesk/core/options_rules.h"

#include <gtest/gtest.h>

#include "common/bytes.h"
#include "common/sj.h"
#include "recdesk/core/reply_blocks.h"
#include "recdesk/core/settings_rules.h"

TEST(OptionsRules, RefusedWhileRecordingOrAReservationIsUnderWay) {
  EXPECT_FALSE(optionsRefused(false, rsvTime::WAIT));
  EXPECT_FALSE(optionsRefused(false, rsvTime::IDLE));
  EXPECT_TRUE(optionsRefused(true, rsvTime::IDLE));
  for (rsvTime::State s : {rsvTime::NOTICE, rsvTime::READY, rsvTime::REC}) EXPECT_TRUE(optionsRefused(false, s));
}

TEST(OptionsRules, LabelsAndNumbers) {
  EXPECT_EQ(clampPicture(-5), 0);
  EXPECT_EQ(clampPicture(300), 255);
  EXPECT_EQ(clampPicture(200), 200);
  EXPECT_EQ(audioFormatText(44100, 2u << 16 | 4), "44100Hz, 16bit, Stereo");
  EXPECT_EQ(audioFormatText(22050, 1u << 16 | 1), "22050Hz, 8bit, Mono");
  EXPECT_EQ(audioFormatText(8000, 4), "8000Hz, 0bit, Stereo");  // no channels: no division
  const double rate = 29.97;
  uint64_t bits;
  memcpy(&bits, &rate, 8);
  EXPECT_EQ(frameRateText(static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32)), "29.97");
  EXPECT_EQ(integerText("42"), 42);
  EXPECT_EQ(integerText("-3"), -3);
  EXPECT_EQ(integerText("2147483647"), 2147483647);
  for (const char* bad : {"", "-", "1x", " 1", "2147483648", "99999999999"}) EXPECT_EQ(integerText(bad), std::nullopt);
}

TEST(OptionsRules, NewProfileTakesTheFirstFreeName) {
  std::vector<std::string> items{sj("ＴＶ")};
  for (const char* expected : {"新規の設定", "新規の設定(1)", "新規の設定(2)"}) {
    const std::string name = newProfileName(items);
    EXPECT_EQ(name, sj(expected));
    items.push_back(name);
  }
}

TEST(OptionsRules, RenameChecksComeBeforeAnyFileGoes) {
  const std::vector<std::string> items{"A", "Mpeg", sj("ＴＶ")};
  EXPECT_EQ(checkRename(items, 0, "B"), RenameCheck::ok);
  EXPECT_EQ(checkRename(items, 0, sj("表示")), RenameCheck::ok);  // 95 5C: a trail byte, no '\'
  EXPECT_EQ(checkRename(items, 0, "a"), RenameCheck::ok);          // its own name in other case
  EXPECT_EQ(checkRename(items, 0, ""), RenameCheck::empty);
  EXPECT_EQ(checkRename(items, 0, sj("ＴＶ")), RenameCheck::builtIn);
  EXPECT_EQ(checkRename(items, 2, "C"), RenameCheck::builtIn);
  EXPECT_EQ(checkRename(items, 0, "MPEG"), RenameCheck::taken);
  EXPECT_EQ(checkRename(items, 0, "a", {"A"}), RenameCheck::ok);  // its own files do not count
  for (const char* bad : {"a\\b", "a/b", "a:b", "a*", "a?", "\"a\"", "<a", "a>", "a|b", "a\tb"})
    EXPECT_EQ(checkRename(items, 0, bad), RenameCheck::badCharacter) << bad;
  EXPECT_EQ(checkRename(items, 0, std::string("a\x95")), RenameCheck::badCharacter);  // half a character
}

// Names as the file system takes them: case as Windows ignores it, devices, the path's length.
TEST(OptionsRules, NamesTheFileSystemWouldTakeOtherwise) {
  using R = RenameCheck;
  const std::vector<std::string> items{"A", sj("ＴＶ"), sj("ＡＢＣ"), sj("Ωяё"), sj("Ⅳ")};
  const std::string folder = "C:\\Tavora\\";  // ten characters: a name of 231 fits, with ".vCompress~new.tmp"
  const std::pair<std::string, R> rows[] = {
      {sj("ｔｖ"), R::builtIn}, {sj("ａｂｃ"), R::taken}, {sj("ωЯЁ"), R::taken}, {sj("ⅳ"), R::taken},
      {sj("ａｂ"), R::ok}, {"abc", R::ok},  // full width is no case of ASCII
      {"NUL", R::badName}, {"nul.video", R::badName}, {"Con ", R::badName}, {"AUX.a.b", R::badName},
      {"PRN", R::badName}, {"COM1", R::badName}, {"lpt9.x", R::badName}, {"COM0", R::ok}, {"NULL", R::ok},
      {"LPT10", R::ok}, {std::string(231, 'a'), R::ok}, {std::string(232, 'a'), R::badName}};
  for (const auto& [name, expected] : rows) EXPECT_EQ(checkRename(items, 0, name, {}, folder), expected) << name;
  std::string wide;
  for (int i = 0; i < 231; ++i) wide += sj("表");  // characters count, not bytes
  EXPECT_EQ(checkRename(items, 0, wide, {}, folder), R::ok);
  EXPECT_EQ(checkRename(items, 0, wide + sj("表"), {}, folder), R::badName);
  EXPECT_EQ(profileNameCheck(sj("新規の設定"), std::string(245, 'f')), R::badName);  // a deep folder
  // The manual-recording file: what no path holds is refused, as the quote is.
  for (const char* bad : {"C:\\a*.AVI", "C:\\a?.AVI", "C:\\<a>.AVI", "C:\\a|b.AVI", "C:\\a\tb.AVI"})
    EXPECT_FALSE(options::recordFileNameAllowed(bad)) << bad;
  EXPECT_TRUE(options::recordFileNameAllowed(sj("C:\\ポ表\\a.AVI")));  // trail bytes 7C and 5C
}

namespace {

std::vector<uint8_t> block(int32_t first, std::initializer_list<std::string> texts, int32_t* count = nullptr) {
  tavora::ByteWriter out;
  out.i32(first);
  if (count) out.i32(*count);
  for (const std::string& t : texts) out.cstr(t);
  return out.take();
}

}  // namespace

TEST(ReplyBlocks, ReadWholeOrRefused) {
  auto names = block(2, {"Line", sj("表")});
  EXPECT_EQ(readNameBlock(names.data(), names.size()), (std::vector<std::string>{"Line", sj("表")}));
  EXPECT_EQ(readNameBlock(names.data(), names.size() - 1), std::nullopt);  // last NUL missing
  names.push_back('x');
  EXPECT_EQ(readNameBlock(names.data(), names.size()), std::nullopt);  // bytes behind
  auto tooMany = block(3, {"a", "b"});
  EXPECT_EQ(readNameBlock(tooMany.data(), tooMany.size()), std::nullopt);
  auto negative = block(-1, {});
  EXPECT_EQ(readNameBlock(negative.data(), negative.size()), std::nullopt);
  EXPECT_EQ(readNameBlock(nullptr, 4), std::nullopt);
  auto none = block(0, {});
  EXPECT_EQ(readNameBlock(none.data(), none.size()), std::vector<std::string>{});

  int32_t two = 2;
  auto free = block(1, {"12", "14"}, &two);
  auto freeRead = readFreeChannelsBlock(free.data(), free.size());
  ASSERT_TRUE(freeRead);
  EXPECT_EQ(freeRead->index, 1);
  EXPECT_EQ(freeRead->keys, (std::vector<std::string>{"12", "14"}));
  EXPECT_EQ(readFreeChannelsBlock(free.data(), 7), std::nullopt);

  auto list = block(1, {"NHK", "1", "1", "ANT", "C", "65535", "65535", "CBL"}, &two);
  auto listRead = readChannelListBlock(list.data(), list.size());
  ASSERT_TRUE(listRead);
  EXPECT_EQ(listRead->current, 1);
  ASSERT_EQ(listRead->rows.size(), 2u);
  EXPECT_EQ(listRead->rows[1].name, "C");
  EXPECT_EQ(listRead->rows[1].input, "CBL");
  EXPECT_EQ(readChannelListBlock(list.data(), list.size() - 4), std::nullopt);  // a row cut short
}
