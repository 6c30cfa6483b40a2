#include "guidepane/core/table_download.h"

#include <gtest/gtest.h>

#include "common/oledate.h"
#include "common/sj.h"
#include "download_fixture.h"
#include "html_document.h"

using tavora::encodeOleDate;

TEST(TableDownloadNames, PagesDatesTitlesAndFileNames) {
  guide::TablePageSequencer walk;
  walk.reset(encodeOleDate(2026, 12, 31) + 0.5);
  std::vector<std::string> names;
  while (auto name = walk.nextTablePageName(encodeOleDate(2026, 12, 31))) names.push_back(*name);
  EXPECT_EQ(names, (std::vector<std::string>{"123107tb.htm", "123110tb.htm", "123113tb.htm", "123116tb.htm",
                                             "123119tb.htm", "123121tb.htm", "123123tb.htm", "010101tb.htm",
                                             "010104tb.htm"}));
  EXPECT_EQ(guide::expectedTitle("120107TB.HTM"), "120107table");
  EXPECT_EQ(guide::defaultStartDate(encodeOleDate(2026, 12, 5) + 0.7), encodeOleDate(2026, 12, 5));  // Saturday
  EXPECT_EQ(guide::defaultStartDate(encodeOleDate(2026, 12, 6)), encodeOleDate(2026, 12, 12));       // Sunday
  EXPECT_EQ(guide::baseAddressOf("http://tv.example/tb/120107tb.htm"), "http://tv.example/tb/");
  EXPECT_EQ(guide::baseAddressOf("tv.example"), std::nullopt);
  const std::vector<std::pair<std::string, std::string>> images = {
      {"http://x/a/b.gif?s=1", "b.gif_s=1"}, {"http://x/a:b*c|d", "a_b_c_d"}, {"http://x/con.gif", "_con.gif"},
      {"http://x/COM1", "_COM1"},            {"http://x/", "image"},         {"http://x/dots..", "dots._"},
      {"http://x/\x95\x5C.gif", "\x95\x5C.gif"}, {"http://x/a\x81", "a_"},
      {"http://x/x.gif.TMP", "x.gif.TMP_"}};  // never a writer's temporary file
  for (const auto& [address, name] : images) EXPECT_EQ(guide::imageFileName(address), name) << address;
  // A name with '%' is shown from the disk by that very name, not by what its escapes stand for.
  HtmlDocument encoded("<img src=\"http://x/caf%C3%A9.gif\"><img src=\"http://x/a.gif#1\">", "http://x/");
  EXPECT_EQ(guide::localizePage(encoded)[0].fileName, "caf%C3%A9.gif");
  EXPECT_EQ(encoded.tags("IMG")[0]->outerHtml(), "<img src=\"img/caf%25C3%25A9.gif\">");
  EXPECT_EQ(encoded.tags("IMG")[1]->outerHtml(), "<img src=\"img/a.gif%231\">");  // "#" would end the name
}

namespace {

std::string page(const std::string& title, const std::string& image) {
  return "<html><head><title>" + title + "</title></head><body><a href=\"http://tv.example/p?x=1\">p</a>"
         "<img src=\"http://tv.example/img/logo.gif\"><img src=\"http://tv.example/img/" + image + "\"></body></html>";
}

struct NoHtmlElement : HtmlDocument {  // a document whose HTML element cannot be had
  using HtmlDocument::HtmlDocument;
  guide::DomElements tags(std::string_view n) const override { return n == "HTML" ? guide::DomElements() : HtmlDocument::tags(n); }
};

struct Walk : ::testing::Test {
  Walk() {
    for (const char* image : {"logo.gif", "a.gif", "b.gif"}) bench.site[std::string("http://tv.example/img/") + image] = {200, image};
  }
  // The hidden browser finishes the page it was sent to, with this title.
  void complete(const std::string& title, bool topLevel = true) {
    const std::string url = bench.navigated;
    HtmlDocument doc(page(title, title.size() > 5 && title[5] % 2 ? "a.gif" : "b.gif"), url);
    walk.documentComplete(topLevel, url, doc);
  }
  DownloadBench bench;
  guide::dlCtrl queue{bench, bench.ports()};
  guide::TableDownload walk{bench, queue, "C:\\g\\", bench.ports().files};
  double day = encodeOleDate(2026, 12, 1);
};

}  // namespace

TEST_F(Walk, OneDayIsSavedPageByPageWithItsImagesOnce) {
  walk.startOrAbort("http://tv.example/tb/", day, day + 0.9);
  EXPECT_EQ(bench.pages, std::make_pair(0, 9));
  const char* titles[] = {"120107table", "120110table", "error", "120116table", "120119table",
                          "120121table", "120123table", "120201table", "120204table"};
  for (const char* title : titles) {
    complete(title, false);  // a frame moves nothing
    complete(title);
  }
  complete("120204table");  // late: the walk has ended
  bench.serveUntilIdle(queue);
  walk.finishDownloadIfIdle();
  EXPECT_EQ(bench.calls.front(), "caption stop");
  EXPECT_EQ(bench.calls[1], "navigate http://tv.example/tb/120107tb.htm");
  EXPECT_EQ(std::count(bench.calls.begin(), bench.calls.end(), "dates"), 8);
  EXPECT_EQ(bench.calls[bench.calls.size() - 4], "navigate http://tv.example/tb/120204tb.htm");
  EXPECT_EQ(bench.calls.back(), "caption start");
  EXPECT_NE(std::find(bench.calls.begin(), bench.calls.end(),
                      "box " + sj("ダウンロードを終了しました。\n番組表でなかったため保存しなかったページ：1")),
            bench.calls.end());
  EXPECT_EQ(bench.files.size(), 8u + 3u);
  const std::vector<uint8_t>& saved = bench.files["C:\\g\\prgTable\\120107tb.htm"];
  EXPECT_EQ(std::string(saved.begin(), saved.end()),
            "<html><head><title>120107table</title></head><body><a href=\"http://tv.example/p?x=1\">p</a>"
            "<img src=\"img/logo.gif\"><img src=\"img/a.gif\"></body></html>");
  EXPECT_EQ(bench.opened(), 3u);
  EXPECT_FALSE(walk.downloading());
}

TEST_F(Walk, EndBeforeStartAbortAndAFailedSaveEachEndTheDownload) {
  walk.startOrAbort("http://tv.example/tb/", day + 1, day);
  EXPECT_EQ(bench.calls, (std::vector<std::string>{"caption stop", "box " + sj("終了日は開始日より後でなければなりません。\nダウンロードを中断します。"), "caption start"}));
  bench.calls.clear();
  walk.startOrAbort("http://tv.example/tb/", day, day);
  complete("120107table");
  walk.startOrAbort("", 0, 0);
  EXPECT_EQ(bench.calls.back(), "box " + sj("ダウンロードを中断しました。"));
  EXPECT_EQ(bench.calls[bench.calls.size() - 3], "stop");
  EXPECT_FALSE(walk.downloading());
  guide::TableDownload readonly{bench, queue, "C:\\readonly\\", bench.ports().files};
  readonly.startOrAbort("http://tv.example/tb/", day, day);
  HtmlDocument doc(page("120107table", "a.gif"), "http://tv.example/tb/120107tb.htm");
  readonly.documentComplete(true, "http://tv.example/tb/120107tb.htm", doc);
  EXPECT_EQ(bench.calls[bench.calls.size() - 3], "box " + sj("保存先にファイルを生成できませんでした。\n中断します。"));
  EXPECT_FALSE(readonly.downloading());
  walk.startOrAbort("http://tv.example/tb/", day + 1, day + 1);
  NoHtmlElement empty(page("120207table", "a.gif"), bench.navigated);
  walk.documentComplete(true, bench.navigated, empty);
  EXPECT_EQ(bench.calls[bench.calls.size() - 3], "box " + sj("ファイルの保存に失敗しました。\n中断します。"));
  EXPECT_EQ(bench.files.count("C:\\g\\prgTable\\120207tb.htm"), 0u);
  EXPECT_FALSE(walk.downloading());
  walk.startOrAbort("http://tv.example/tb/", day + 1, day + 1);
  HtmlDocument blank(page("120207table", "a.gif"), bench.navigated);
  blank.outerHtmlFails = true;  // the browser gives no text for it: no empty page either
  walk.documentComplete(true, bench.navigated, blank);
  EXPECT_EQ(bench.calls[bench.calls.size() - 3], "box " + sj("ファイルの保存に失敗しました。\n中断します。"));
  EXPECT_EQ(bench.files.count("C:\\g\\prgTable\\120207tb.htm"), 0u);
  // The page file that cannot be created, and the one that cannot be written, each say so.
  for (const auto& [folder, text] : {std::pair{"C:\\locked\\", "保存先にファイルを生成できませんでした。\n中断します。"},
                                     std::pair{"C:\\full\\", "ファイルの保存に失敗しました。\n中断します。"}}) {
    guide::TableDownload failing{bench, queue, folder, bench.ports().files};
    failing.startOrAbort("http://tv.example/tb/", day, day);
    failing.documentComplete(true, "http://tv.example/tb/120107tb.htm", doc);
    EXPECT_EQ(bench.calls[bench.calls.size() - 3], "box " + sj(text)) << folder;
  }
  bench.serveUntilIdle(queue);
}
