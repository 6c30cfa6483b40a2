// The table scrape over table pages parsed by a real HTML parser: stations in columns (with
// rowspan), programs in cells with a bold title and a time at the end.
#include "guidepane/core/table_scrape.h"

#include <gtest/gtest.h>

#include "common/sj.h"
#include "guide_dates.h"
#include "guidepane/texts/guidepane_texts.h"
#include "html_document.h"

namespace {

const char kHost[] = "127.0.0.1";

std::string link(const std::string& station, const std::string& start) {
  return "http://127.0.0.1/cgi/TVpinfo.pl?ch=" + station + "&t=" + start;
}

std::string cell(const std::string& href, const std::string& title, const std::string& rest,
                 const std::string& attributes = "") {
  return "<td" + attributes + "><a href=\"" + href + "\"><b>" + title + "</b></a>" + rest + "</td>";
}

// The 21:00 table of 10 December, three stations, inside the page's layout table.
std::string table21() {
  return "<html><body><table><tr><td><b>12月10日</b><table><tr><th>S1</th><th>S2</th><th>S3</th></tr><tr>" +
         cell(link("S1", "2026/12/10/21:00"), "ニュース", "<br>今日の出来事", " rowspan=\"2\"") +
         cell(link("S2", "2026/12/10/21:00"), "語学", " (9:30)") +
         cell(link("S3", "2026/12/10/21:00"), "映画", "<br>名作（２２５４）", " rowspan=\"3\"") + "</tr><tr>" +
         cell(link("S2", "2026/12/10/21:30"), "科学", "(22:00)") + "</tr><tr>" +
         "<td><a href=\"http://example.org/ad\">広告</a><a href=\"" + link("S1", "2026/12/10/22:15") +
         "\"><b>天気</b></a>(22:30)</td>" + cell(link("S2", "2026/12/10/22:00"), "ドラマ", "２２５４　　 ") +
         "</tr><tr>" + cell(link("S1", "2026/12/10/22:30"), "音楽", "") + "<td>-</td></tr></table></td></tr><tr>" +
         cell(link("S1", "2026/12/10/23:30"), "注目", "") + "</tr></table>";  // a pick in the layout's next row
}

// The 23:00 table of 10 December, running to 1:00 of the 11th.
std::string table23() {
  return "<html><body><table><tr>" + cell(link("S1", "2026/12/10/23:30"), "深夜", "(0:45)") +
         cell(link("S2", "2026/12/10/23:00"), "報道", "(23:55)") + cell(link("S3", "2026/12/11/00:15"), "通販", "") +
         cell(link("S5", "2026/12/10/24:00"), "映画", "(24:45)") +
         "<td><a href=\"" + link("S4", "2026/12/10/23:00") + "\">no bold</a></td></tr></table></body></html>";
}

const std::string kPage21 = "file:///C:/guide/prgTable/121021tb.htm";
const std::string kPage23 = "file:///C:/guide/prgTable/121023tb.htm";

struct Scrape : ::testing::Test {
  uint16_t slotEndHour = 0;
  guide::ScrapeResult run(const std::string& html, const std::string& location, const std::string& href,
                          double now = at(2026, 12, 10, 20, 0)) {
    const HtmlDocument doc(html, location);
    return guide::scrapeProgramFromTable(doc, href, now, kHost, slotEndHour);
  }
  double endOf(const std::string& html, const std::string& location, const std::string& href) {
    const guide::ScrapeResult r = run(html, location, href);
    EXPECT_TRUE(r.fields) << href;
    return r.fields ? r.fields->end : 0;
  }
};

TEST_F(Scrape, TheCellsTimeGivesTheEnd) {
  const guide::ScrapeResult r = run(table21(), kPage21, link("S3", "2026/12/10/21:00"));
  ASSERT_TRUE(r.fields);
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(r.fields->start, at(2026, 12, 10, 21, 0));
  EXPECT_EQ(r.fields->end, at(2026, 12, 10, 22, 54));
  EXPECT_EQ(r.fields->station, "S3");
  EXPECT_EQ(r.fields->title, sj("映画"));
  EXPECT_EQ(r.fields->subtitle, "");
  EXPECT_EQ(r.fields->description, sj("映画\r\n名作（２２５４）"));
  EXPECT_EQ(slotEndHour, 23);

  EXPECT_EQ(endOf(table21(), kPage21, link("S2", "2026/12/10/21:00")), at(2026, 12, 10, 21, 30));  // (9:30)
  EXPECT_EQ(endOf(table21(), kPage21, link("S2", "2026/12/10/21:30")), at(2026, 12, 10, 22, 0));
  EXPECT_EQ(endOf(table21(), kPage21, link("S2", "2026/12/10/22:00")), at(2026, 12, 10, 22, 54));
}

TEST_F(Scrape, WithoutATimeTheNextProgramInTheColumnOrTheSlotEndGivesTheEnd) {
  // The next cell in document order lies in another column; the rowspan decides.
  EXPECT_EQ(endOf(table21(), kPage21, link("S1", "2026/12/10/21:00")), at(2026, 12, 10, 22, 15));
  EXPECT_EQ(endOf(table21(), kPage21, link("S1", "2026/12/10/22:30")), at(2026, 12, 10, 23, 0));
  // A next program whose link has no time: the slot's end, and a notice.
  const std::string html = "<table><tr>" + cell(link("S1", "2026/12/10/21:00"), "A", "") + "</tr><tr>" +
                           cell("http://127.0.0.1/cgi/TVpinfo.pl?ch=S1", "B", "") + "</tr></table>";
  const guide::ScrapeResult r = run(html, kPage21, link("S1", "2026/12/10/21:00"));
  ASSERT_TRUE(r.fields);
  EXPECT_EQ(r.fields->end, at(2026, 12, 10, 23, 0));
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_STREQ(r.messages[0], texts::kNoTimeInUrl);
}

TEST_F(Scrape, TheSitesHostComesFromTheStoredBaseAddress) {
  EXPECT_EQ(guide::listingHostOf("http://10.1.2.3:8080/osaka/table/"), "10.1.2.3");
  EXPECT_EQ(guide::listingHostOf("not an address"), "");
  // The next program's link is recognised by that host only.
  const std::string html = "<table><tr>" + cell(link("S1", "2026/12/10/21:00"), "A", "") + "</tr><tr>" +
                           cell(link("S1", "2026/12/10/22:10"), "B", "") + "</tr></table>";
  const HtmlDocument doc(html, kPage21);
  for (const char* base : {"http://127.0.0.1/tokyo/table/", "http://10.1.2.3/osaka/table/"}) {
    const auto r = guide::scrapeProgramFromTable(doc, link("S1", "2026/12/10/21:00"), at(2026, 12, 10, 20, 0),
                                                 guide::listingHostOf(base), slotEndHour);
    ASSERT_TRUE(r.fields);
    EXPECT_EQ(r.fields->end, std::string(base).find("127") != std::string::npos ? at(2026, 12, 10, 22, 10)
                                                                                : at(2026, 12, 10, 23, 0));
  }
}

TEST_F(Scrape, TheLateTableEndsOnTheNextDateButNeverBeforeTheStartOrADayLater) {
  EXPECT_EQ(endOf(table23(), kPage23, link("S1", "2026/12/10/23:30")), at(2026, 12, 11, 0, 45));
  EXPECT_EQ(endOf(table23(), kPage23, link("S2", "2026/12/10/23:00")), at(2026, 12, 10, 23, 55));
  EXPECT_EQ(endOf(table23(), kPage23, link("S3", "2026/12/11/00:15")), at(2026, 12, 11, 1, 0));
  EXPECT_EQ(endOf(table23(), kPage23, link("S5", "2026/12/10/24:00")), at(2026, 12, 11, 0, 45));
  EXPECT_EQ(slotEndHour, 1);
}

TEST_F(Scrape, PagesThatGiveNoReservation) {
  struct Case {
    std::string location, href;
    double now;
    const char* message;
  };
  const std::string s1 = link("S1", "2026/12/10/21:00");
  const Case cases[] = {
      {kPage21, s1, at(2026, 12, 11, 1, 5), texts::kPastTable},
      {"file:///C:/guide/prgTable/121020tb.htm", s1, at(2026, 12, 10), texts::kUnexpectedTableName},
      {"file:///C:/guide/prgTable/12xx21tb.htm", s1, at(2026, 12, 10), texts::kUnexpectedTableName},
      {"no address", s1, at(2026, 12, 10), texts::kPastTable},
      {kPage21, link("S9", "2026/12/10/21:00"), at(2026, 12, 10), texts::kProgramNotInTable},
      {kPage23, link("S4", "2026/12/10/23:00"), at(2026, 12, 10), texts::kProgramNotInTable},  // no bold title
      {kPage21, "http://127.0.0.1/cgi/TVpinfo.pl?ch=S1", at(2026, 12, 10), texts::kNoTimeInUrl},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.location + " " + c.href);
    const guide::ScrapeResult r = run(c.location.find("23tb") != std::string::npos ? table23() : table21(),
                                      c.location, c.href, c.now);
    EXPECT_FALSE(r.fields);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_STREQ(r.messages[0], c.message);
  }
}

TEST(TableDate, ThisYearOrTheNextWithinHalfAYear) {
  uint16_t end = 0;
  // Before 1:00 the guide's day is still the previous date: its "23" page is the current table.
  EXPECT_EQ(guide::tableDate("file:///C:/g/prgTable/121023tb.htm", at(2026, 12, 11, 0, 30), end).date,
            at(2026, 12, 10));
  EXPECT_FALSE(guide::tableDate("file:///C:/g/prgTable/121023tb.htm", at(2026, 12, 11, 1, 0), end).date);
  EXPECT_EQ(guide::tableDate("file:///C:/g/prgTable/010507tb.htm", at(2026, 12, 20), end).date, at(2027, 1, 5));
  EXPECT_EQ(end, 10);
  EXPECT_EQ(guide::tableDate("file:///C:/g/prgTable/121907tb.htm", at(2026, 12, 20, 12), end).date, std::nullopt);
  const double today = at(2026, 12, 20);
  const tavora::CivilDateTime in183 = tavora::decodeOleDate(today + 183);
  const tavora::CivilDateTime in184 = tavora::decodeOleDate(today + 184);
  auto name = [](const tavora::CivilDateTime& t) {
    char s[64];
    std::snprintf(s, sizeof s, "http://h/t/%02d%02d13tb.htm", t.month, t.day);
    return std::string(s);
  };
  EXPECT_EQ(guide::tableDate(name(in183), today + 0.5, end).date, today + 183);
  EXPECT_FALSE(guide::tableDate(name(in184), today + 0.5, end).date);
}

TEST(CellTime, FormsAtTheEndOfTheText) {
  struct Case {
    const char* text;
    int hour, minute;
  };
  for (const Case c : {Case{"(9:54)", 9, 54}, Case{"x (21:54)", 21, 54}, Case{"x２１５４", 21, 54},
                       Case{"x（２１５４）", 21, 54}, Case{"(9:54)　　\r\n", 9, 54}, Case{" (9:54) 　 ", 9, 54},
                       Case{"(24:45)", 24, 45}}) {
    const auto t = guide::parseCellTime(sj(c.text));
    ASSERT_TRUE(t) << c.text;
    EXPECT_EQ(t->hour, c.hour);
    EXPECT_EQ(t->minute, c.minute);
  }
  for (const char* text : {"", "9:54)", "(9:54", "(x:54)", "(30:00)", "(9:60)", "２１５", "ニュース", "(１２:００)"})
    EXPECT_FALSE(guide::parseCellTime(sj(text))) << text;
  // 0x82 0x50 is "１" only as a whole character, not as the trail and lead of two others.
  EXPECT_FALSE(guide::parseCellTime("\x88\x82\x50\x82\x51\x82\x55\x82\x53"));
}

}  // namespace
