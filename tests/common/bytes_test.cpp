#include "common/bytes.h"

#include <gtest/gtest.h>

#include "common/fileio.h"

using tavora::ByteReader;
using tavora::ByteWriter;

TEST(Bytes, WriterLaysOutLittleEndianFieldsAndReaderReadsThemBack) {
  ByteWriter w;
  w.u16(0x1234);
  w.i32(-2);
  w.f64(1.5);
  w.cstr("ab");
  const std::vector<uint8_t> expected = {0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 'a', 'b', 0};
  EXPECT_EQ(w.data(), expected);

  ByteReader r(w.data());
  EXPECT_EQ(r.u16(), 0x1234);
  EXPECT_EQ(r.i32(), -2);
  EXPECT_EQ(r.f64(), 1.5);
  EXPECT_EQ(r.cstr(), "ab");
  EXPECT_TRUE(r.ok());
  EXPECT_TRUE(r.atEnd());
}

TEST(Bytes, ShortDataFailsWithoutReadingPastTheEnd) {
  const uint8_t data[] = {1, 2, 3};
  ByteReader r(data, sizeof data);
  EXPECT_EQ(r.u32(), 0u);
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.u8(), 0);  // stays failed
  ByteReader unterminated(data, sizeof data);
  EXPECT_EQ(unterminated.cstr(), "");
  EXPECT_FALSE(unterminated.ok());
  ByteReader huge(data, sizeof data);
  EXPECT_TRUE(huge.bytes(SIZE_MAX).empty());
  EXPECT_FALSE(huge.ok());
}

TEST(Lines, SplitsAtCrLfAndLfAndKeepsBlankLinesInside) {
  const std::string text = "a\r\n\nb\nc";
  std::vector<uint8_t> data(text.begin(), text.end());
  EXPECT_EQ(tavora::splitLines(data), (std::vector<std::string>{"a", "", "b", "c"}));
  EXPECT_TRUE(tavora::splitLines({}).empty());
}
