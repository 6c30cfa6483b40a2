#include "common/sjis.h"

#include <gtest/gtest.h>

namespace sjis = tavora::sjis;

// "表" is 95 5C in Shift-JIS: its trail byte is a backslash.
const std::string kHyou = "\x95\x5C";

TEST(Sjis, TrailBytesAreNotTakenForBackslashes) {
  const std::string path = "C:\\" + kHyou + "\\a.avi";
  EXPECT_EQ(sjis::findLast(path, '\\'), 2 + 1 + 2);
  EXPECT_EQ(sjis::folderOf("C:\\" + kHyou), "C:\\");
  EXPECT_FALSE(sjis::endsWithChar("C:\\" + kHyou, '\\'));
  EXPECT_TRUE(sjis::endsWithChar("C:\\" + kHyou + "\\", '\\'));
  EXPECT_EQ(sjis::findFirst(kHyou + "\\", '\\'), 2u);
  const std::string address = "a" + kHyou + "/b\\" + kHyou + "c";
  EXPECT_EQ(sjis::findFirstOf(address, "\\/"), 3u);
  EXPECT_EQ(sjis::findLastOf(address, "/\\"), 5u);
  EXPECT_EQ(sjis::findFirstOf(address, "\\", 4), 5u);
  EXPECT_EQ(sjis::findLastOf(kHyou, "\\"), std::string::npos);
}

TEST(Sjis, LastDotOfAFileName) {
  EXPECT_EQ(sjis::findLast("D:\\rec.v2\\a.avi", '.'), 11u);
  EXPECT_EQ(sjis::findLast("noext", '.'), std::string::npos);
}

TEST(Sjis, CutBytesKeepsDoubleByteCharactersWhole) {
  EXPECT_EQ(sjis::cutBytes("abc", 127), "abc");
  EXPECT_EQ(sjis::cutBytes(std::string(130, 'x'), 127).size(), 127u);
  // 126 single bytes then a double-byte one: it would need bytes 127 and 128, so it goes.
  EXPECT_EQ(sjis::cutBytes(std::string(126, 'x') + kHyou, 127), std::string(126, 'x'));
  EXPECT_EQ(sjis::cutBytes(std::string(125, 'x') + kHyou + "y", 127), std::string(125, 'x') + kHyou);
  EXPECT_EQ(sjis::cutBytes(kHyou + kHyou, 3), kHyou);
}
