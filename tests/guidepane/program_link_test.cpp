// Program links and information records: the start in the link's tail, the station code, the
// record's header lines, answers of the site, and the saved record files of the offline road.
#include "guidepane/core/program_link.h"
#include "guidepane/core/offline_records.h"

#include <gtest/gtest.h>

#include "common/sj.h"
#include "guide_dates.h"

namespace {

using guide::parseProgramInfo;

const std::string kLink = "http://127.0.0.1/cgi/TVpinfo.pl?ch=NHK1&t=2026/12/10/23:00";

TEST(ProgramLink, CaptureStartAndStationCode) {
  using guide::Navigation;
  EXPECT_EQ(guide::beforeNavigate(false, kLink), Navigation::capture);
  EXPECT_EQ(guide::beforeNavigate(true, kLink), Navigation::refuseNoChannelTable);
  // Without a channel table only a program link is told so: no reservation was tried elsewhere.
  EXPECT_EQ(guide::beforeNavigate(true, "http://127.0.0.1/tokyo/table/121021tb.htm"), Navigation::proceed);
  for (const char* other : {"http://127.0.0.1/cgi/tvpinfo.pl?ch=A", "http://h/TVpinfo.pl/x", "TVpinfo.pl"})
    EXPECT_EQ(guide::beforeNavigate(false, other), Navigation::proceed) << other;

  EXPECT_EQ(guide::dateFromTail(kLink), at(2026, 12, 10, 23, 0));
  EXPECT_EQ(guide::dateFromTail("x2027-01-05T07.45"), at(2027, 1, 5, 7, 45));
  EXPECT_EQ(guide::dateFromTail("2026/12/31/25:10"), at(2027, 1, 1, 1, 10));  // the broadcast day's 1:10
  for (const char* bad : {"2026/12/10/23:0", "2026/13/10/23:00", "2026/02/30/23:00", "2026/12/10/30:00",
                          "2026/02/29/24:00", "9999/12/31/24:00", "2026/12/1x/23:00", "20 6/12/10/23:00"})
    EXPECT_FALSE(guide::dateFromTail(bad)) << bad;

  EXPECT_EQ(guide::stationCode("http://h/TVpinfo.pl?ch=ABC&x=1"), "ABC");
  // "ch=" starts a parameter and runs to the next "&".
  EXPECT_EQ(guide::stationCode("http://h/TVpinfo.pl?a=1&ch=X:Y"), "X:Y");
  EXPECT_EQ(guide::stationCode("http://h/TVpinfo.pl?a=1&ch=NHK&d=2026/12/10/21:00"), "NHK");
  EXPECT_EQ(guide::stationCode("http://h/TVpinfo.pl?epoch=5&x"), "");
  EXPECT_EQ(guide::stationCode("http://h/TVpinfo.pl?xch=5&ch=B"), "B");
  EXPECT_EQ(guide::stationCode("http://h/ch=Q/TVpinfo.pl?t=1"), "");
  EXPECT_EQ(guide::stationCode("http://h/TVpinfo.pl?ch=ABC"), "ABC");
  EXPECT_EQ(guide::stationCode("http://h/TVpinfo.pl?x=1"), "");
}

TEST(ProgramRecord, HeaderLinesAndDescription) {
  const std::string record = sj("date: 2026/12/10\r\nend: 00:30\r\nprogram-title: ニュース\r\n"
                                "program-subtitle: Part 1\r\n\r\nBody line\r\nmore");
  const auto f = parseProgramInfo(kLink, record);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->start, at(2026, 12, 10, 23, 0));
  EXPECT_EQ(f->end, at(2026, 12, 11, 0, 30));
  EXPECT_EQ(f->station, "NHK1");
  EXPECT_EQ(f->title, sj("ニュース"));
  EXPECT_EQ(f->subtitle, " Part 1");
  EXPECT_EQ(f->description, "Body line\r\nmore");

  const auto noSubtitle = parseProgramInfo(kLink, "end: 23:00\r\nprogram-title: News\r\n\r\nBody");
  ASSERT_TRUE(noSubtitle);
  EXPECT_EQ(noSubtitle->end, at(2026, 12, 10, 23, 0));
  EXPECT_EQ(parseProgramInfo(kLink, "end: 24:30\nprogram-title: x").value_or(guide::ProgramFields{}).end,
            at(2026, 12, 11, 0, 30));
  EXPECT_EQ(noSubtitle->subtitle + "|" + noSubtitle->description, "|Body");
  EXPECT_EQ(parseProgramInfo(kLink, "end: 23:10\nprogram-title: News\n\nBody")->description, "Body");
  // Header lines at the very end of the text leave empty fields, never a read past it.
  const auto bare = parseProgramInfo(kLink, "end: 23:30\r\nprogram-title:");
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->title + bare->description, "");
}

TEST(ProgramRecord, WhatIsNoRecord) {
  for (const char* text : {"<html><head><title>404 Not Found</title></head><body>Not Found</body></html>",
                           "program-title: News\r\n\r\n", "end: 23:30\r\n", "end: 2", "", "end:",
                           "end: 2x:30\r\nprogram-title: News\r\n", "end: 30:00\r\nprogram-title: News\r\n",
                           "program-title: The weekend: 12:00\r\n"})  // "end:" inside a line is no header
    EXPECT_FALSE(parseProgramInfo(kLink, text)) << text;
  EXPECT_FALSE(parseProgramInfo("http://h/TVpinfo.pl?ch=A", "end: 23:30\r\nprogram-title: News\r\n"));

  EXPECT_FALSE(guide::recordFromAnswer(404, "end: 21:00\r\nprogram-title: x\r\n"));
  EXPECT_EQ(guide::recordFromAnswer(200, std::string_view("ab\0cd", 5)), "ab");
  EXPECT_EQ(guide::recordFromAnswer(200, std::string(6000, 'x'))->size(), 4096u);
}

TEST(SavedRecord, FolderAndFileNameStayInsideTheRecordsFolder) {
  EXPECT_EQ(guide::offlineRecordPath("file:///C:/g/prgTable/121019tb.htm", "C:\\g\\", "?a=1&ch=X:Y"),
            "C:\\g\\prgTable\\121019tb\\a_1_ch_X_Y.txt");
  EXPECT_EQ(guide::offlineRecordFolder("file:///C:/Program%20Files/g/prgTable/1210tb.htm", "C:\\Program Files\\g\\"),
            "C:\\Program Files\\g\\prgTable\\1210tb");
  for (const char* page : {"file:///C:/g/prgTable/x.html", "file:///C:/g/prgTable/.htm"})
    EXPECT_FALSE(guide::offlineRecordPath(page, "C:\\g\\", "?a")) << page;
  EXPECT_FALSE(guide::offlineRecordPath("file:///C:/g/prgTable/121019tb.htm", "C:\\g\\", "?"));

  EXPECT_EQ(guide::savedRecordName("?t=2026/12/10+x;y"), "t_2026_12_10_x_y.txt");
  EXPECT_EQ(guide::savedRecordName("?..\\..\\windows\\x|<>*?\"\x01"), ".._.._windows_x_______.txt");
  EXPECT_EQ(guide::savedRecordName("?con"), "_con.txt");
  EXPECT_EQ(guide::savedRecordName("?a=\x95\x5C"), "a_\x95\x5C.txt");  // 表 keeps its trail byte
  // A lead byte before an ASCII byte is no character: the "/" after it is still replaced.
  EXPECT_EQ(guide::savedRecordName("?\x95/x\x81\x7F\x81"), "\x95_x\x81_\x81.txt");
}

}  // namespace

TEST(SavedRecord, OnlyAShownPageInTheProgramsTableFolderHasRecords) {
  const char folder[] = "C:\\guide\\";
  EXPECT_EQ(guide::offlineRecordFolder("file:///C:/guide/prgTable/121019tb.htm", folder),
            "C:\\guide\\prgTable\\121019tb");
  EXPECT_EQ(guide::offlineRecordFolder("file:///c:/Guide/prgTable/121019tb.HTM", folder),
            "c:\\Guide\\prgTable\\121019tb");
  EXPECT_EQ(guide::offlineRecordFolder("file:///C:/guide/prgTable/%8b%e0tb.htm", folder),
            "C:\\guide\\prgTable\\\x8b\xe0tb");
  for (const char* other : {"http://127.0.0.1/tokyo/table/121019tb.htm", "/tokyo/table/121019tb.htm",
                            "file:///C:/other/prgTable/121019tb.htm", "file:///C:/guide/prgTable/sub/1210tb.htm",
                            "file:///C:/guide/prgTable/121019tb.txt", "file:///C:/guide/prgTable/.htm"})
    EXPECT_FALSE(guide::offlineRecordFolder(other, folder)) << other;
}
