// Dates as days since 30 December 1899.
#include "common/oledate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using tavora::CivilDateTime;

TEST(OleDate, KnownDays) {
  EXPECT_EQ(tavora::encodeOleDate(1899, 12, 30), 0.0);
  EXPECT_EQ(tavora::encodeOleDate(1900, 1, 1), 2.0);
  EXPECT_EQ(tavora::encodeOleDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(tavora::encodeOleDate(2024, 2, 29), 45351.0);
  EXPECT_EQ(tavora::encodeOleDate(1899, 12, 29), -1.0);
}

TEST(OleDate, DecodeRoundsToTheMillisecondAndCarriesIntoTheNextDay) {
  CivilDateTime t = tavora::decodeOleDate(36526.75);
  EXPECT_EQ(t.year, 2000);
  EXPECT_EQ(t.month, 1);
  EXPECT_EQ(t.day, 1);
  EXPECT_EQ(t.hour, 18);
  EXPECT_EQ(t.minute, 0);
  // A hair before midnight is midnight of the next day.
  t = tavora::decodeOleDate(36526.0 + 86399.9999 / 86400.0);
  EXPECT_EQ(t.day, 2);
  EXPECT_EQ(t.hour, 0);
  EXPECT_EQ(t.second, 0);
  // Before the epoch the fraction still counts forwards: -1.25 is 29 December 1899, 06:00.
  t = tavora::decodeOleDate(-1.25);
  EXPECT_EQ(t.day, 29);
  EXPECT_EQ(t.hour, 6);
}

TEST(OleDate, EncodeAndDecodeAgree) {
  CivilDateTime in{2031, 7, 7, 21, 5, 9, 250};
  CivilDateTime out = tavora::decodeOleDate(tavora::encodeOleDateTime(in));
  EXPECT_EQ(out.year, 2031);
  EXPECT_EQ(out.month, 7);
  EXPECT_EQ(out.day, 7);
  EXPECT_EQ(out.hour, 21);
  EXPECT_EQ(out.minute, 5);
  EXPECT_EQ(out.second, 9);
  EXPECT_EQ(out.millisecond, 250);
}

TEST(OleDate, DayOfWeek) {
  EXPECT_EQ(tavora::oleDayOfWeek(0.0), 6);                                      // a Saturday
  EXPECT_EQ(tavora::oleDayOfWeek(tavora::encodeOleDate(2024, 3, 3) + 0.9), 0);  // a Sunday
  EXPECT_EQ(tavora::oleDayOfWeek(tavora::encodeOleDate(2024, 3, 8)), 5);        // a Friday
  EXPECT_EQ(tavora::oleDayOfWeek(-1.5), 5);
}

TEST(OleDate, ValidRange) {
  EXPECT_TRUE(tavora::isValidOleDate(45000.5));
  EXPECT_FALSE(tavora::isValidOleDate(std::nan("")));
  EXPECT_FALSE(tavora::isValidOleDate(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(tavora::isValidOleDate(-1e300));
  EXPECT_FALSE(tavora::isValidOleDate(tavora::encodeOleDate(10000, 1, 1)));
  EXPECT_TRUE(tavora::isValidOleDate(tavora::encodeOleDate(9999, 12, 31) + 0.5));
}
