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
}

TEST(Sjis, LastDotOfAFileName) {
  EXPECT_EQ(sjis::findLast("D:\\rec.v2\\a.avi", '.'), 11u);
  EXPECT_EQ(sjis::findLast("noext", '.'), std::string::npos);
}
