// TForm3 over a fake hidden browser: a day's walk saved with its shared image from the local
// server, a page with a wrong title counted, the messages through the dialog seam.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/fileio.h"
#include "guidepane/texts/download_texts.h"
#include "guidepane/fake_browser.h"
#include "guidepane/texts/shell_texts.h"
#include "guidepane/win/download_form.h"
#include "guidepane/win/main_form.h"
#include "http/http_server.h"
#include "winui/dialogs.h"
#include "winui/pump.h"
#include "winui/text.h"

std::string freshFolder(const char* name);
void removeTree(const std::string& folder);

namespace {

using namespace std::chrono_literals;

struct Boxes : winui::DialogSeam {
  Boxes() { winui::setApplicationTitle(texts::kGuideTitle); }
  int messageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT) override {
    texts.push_back(text);
    captions.push_back(caption);
    return IDOK;
  }
  std::vector<std::wstring> texts, captions;
};

// One image and one link; the page's HTML shows what the walk wrote into them.
struct FakePage {
  std::string title, imageHref, src, linkHref = "http://127.0.0.1/other.htm", writtenHref;
};

struct FakeElement : guide::DomElement {
  FakeElement(FakePage& page, char kind) : page(page), kind(kind) {}
  guide::DomElements tags(std::string_view) const override { return {}; }
  std::string innerText() const override { return {}; }
  std::string href() const override { return kind == 'i' ? page.imageHref : page.linkHref; }
  std::string outerHtml() const override {
    return "<HTML><TITLE>" + page.title + "</TITLE><IMG src=\"" + page.src + "\"><A href=\"" + page.writtenHref + "\"></A></HTML>";
  }
  void setSrc(const std::string& value) override { page.src = value; }
  void setHref(const std::string& value) override { page.writtenHref = value; }
  long offsetLeft() const override { return 0; }
  FakePage& page;
  char kind;
};

struct FakeDocument : guide::DomDocument {
  explicit FakeDocument(FakePage& page) : page(page) {}
  guide::DomElements one(char kind) const {
    guide::DomElements out;
    out.push_back(std::make_unique<FakeElement>(page, kind));
    return out;
  }
  guide::DomElements tags(std::string_view name) const override { return name == "HTML" ? one('h') : guide::DomElements(); }
  std::string locationUrl() const override { return {}; }
  std::string title() const override { return page.title; }
  guide::DomElements images() const override { return one('i'); }
  guide::DomElements links() const override { return one('a'); }
  FakePage& page;
};

double oleDate(WORD year, WORD month, WORD day) {
  SYSTEMTIME t{};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  double date = 0;
  SystemTimeToVariantTime(&t, &date);
  return date;
}

std::wstring w(const std::string& cp932) { return winui::widen(cp932); }

TEST(DownloadForm, ADaysWalkSavesEveryPageAndTheSharedImageOnceAndSaysWhatWasSkipped) {
  testhttp::Server server;
  const std::string image = std::string(3000, 'g') + "\x01\x02";
  server.script("/img/logo.gif", {200, image, 50});
  const std::string folder = freshFolder("tavora_form_") + "\\";
  Boxes boxes;
  winui::setDialogSeam(&boxes);
  std::vector<std::string> asked;
  guide::BrowserEvents events;
  FakePage* page = nullptr;
  std::string edited;
  // Owned by the main window, as the program makes it.
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  {
    CreateDirectoryW(winui::widen(folder).c_str(), nullptr);
    defFile settings(folder + "guidepane.dat", {});
    settings.baseAddress = server.url("/tb/");
    TForm3 form(owner, settings, folder, {[] { return std::string("http://x/a/b.htm"); }, {}, [] { return oleDate(2026, 12, 9); }},
                [&](HWND, guide::BrowserEvents e) {
                  events = std::move(e);
                  auto browser = std::make_unique<FakeBrowser>(asked, events);
                  browser->makeDocument = [&] { return std::make_unique<FakeDocument>(*page); };
                  return browser;
                });
    // The coming Saturday and six days on.
    EXPECT_EQ(form.calendarDate(TForm3::MonthCalendar1), oleDate(2026, 12, 12));
    EXPECT_EQ(form.calendarDate(TForm3::MonthCalendar2), oleDate(2026, 12, 18));
    EXPECT_EQ(form.text(TForm3::Edit1), server.url("/tb/"));

    // Tab goes round what a user sees and uses: the calendars in, the log beyond the edge out.
    form.show();
    SetActiveWindow(form.handle());
    HWND at = form.control(TForm3::Edit1);
    SetFocus(at);
    std::vector<int> stops;
    for (int i = 0; i < 6; ++i) {
      PostMessageW(at, WM_KEYDOWN, VK_TAB, 1);
      PostMessageW(at, WM_KEYUP, VK_TAB, 1 | (LPARAM{3} << 30));
      winui::processMessages();
      SetActiveWindow(form.handle());  // back from another test's window, with its focus
      stops.push_back(GetDlgCtrlID(at = GetFocus()));
    }
    EXPECT_EQ(stops, (std::vector<int>{TForm3::MonthCalendar1, TForm3::MonthCalendar2, TForm3::Button3, TForm3::Button2,
                                       TForm3::Button1, TForm3::Edit1}));
    form.hide();

    form.setCalendarDate(TForm3::MonthCalendar2, oleDate(2026, 12, 11));
    form.click(TForm3::Button3);
    ASSERT_EQ(boxes.texts, std::vector<std::wstring>{w(texts::kEndBeforeStartDate)});
    EXPECT_FALSE(form.downloading());

    form.setCalendarDate(TForm3::MonthCalendar2, oleDate(2026, 12, 12));
    form.click(TForm3::Button3);
    EXPECT_TRUE(form.downloading());  // what the main window's close refusal asks
    EXPECT_EQ(form.text(TForm3::Button3), texts::kStopDownload);
    std::vector<FakePage> pages;
    pages.reserve(16);
    for (size_t done = 0; done < asked.size(); ++done) {
      const std::string url = asked[done].substr(std::string("Navigate2 ").size());
      const std::string name = url.substr(url.rfind('/') + 1);
      // The 13:00 page is an error page of the site.
      pages.push_back({name == "121213tb.htm" ? "404" : name.substr(0, 6) + "table", server.url("/img/logo.gif")});
      page = &pages.back();
      events.documentComplete(url + "#frame", false);  // a frame's completion moves nothing
      events.documentComplete(url, true);
    }
    const std::vector<std::string> names{"121207tb.htm", "121210tb.htm", "121213tb.htm", "121216tb.htm", "121219tb.htm",
                                         "121221tb.htm", "121223tb.htm", "121301tb.htm", "121304tb.htm"};
    ASSERT_EQ(asked.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(asked[i], "Navigate2 " + server.url("/tb/" + names[i]));
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (boxes.texts.size() < 2 && std::chrono::steady_clock::now() < deadline) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      winui::processMessages();
    }
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[1], w(std::string(texts::kDownloadFinished) + texts::kPagesNotSaved + "1"));
    EXPECT_EQ(boxes.captions, std::vector<std::wstring>(2, L"電子番組表"));
    EXPECT_FALSE(form.downloading());
    EXPECT_EQ(form.text(TForm3::Button3), texts::kStartDownload);
    for (size_t i = 0; i < names.size(); ++i) {
      const auto saved = tavora::readWholeFile(folder + "prgTable\\" + names[i]);
      if (names[i] == "121213tb.htm") {
        EXPECT_FALSE(saved);
        continue;
      }
      ASSERT_TRUE(saved) << names[i];
      EXPECT_EQ(std::string(saved->begin(), saved->end()),
                "<HTML><TITLE>" + names[i].substr(0, 6) + "table</TITLE><IMG src=\"img/logo.gif\"><A href=\"http://127.0.0.1/other.htm\"></A></HTML>");
    }
    const auto fetched = tavora::readWholeFile(folder + "prgTable\\img\\logo.gif");
    ASSERT_TRUE(fetched);
    EXPECT_EQ(std::string(fetched->begin(), fetched->end()), image);
    EXPECT_EQ(server.requests(), std::vector<std::string>{"/img/logo.gif"});

    form.click(TForm3::Button2);  // the shown page's folder
    edited = form.text(TForm3::Edit1);
  }
  DestroyWindow(owner);
  EXPECT_EQ(edited, "http://x/a/");
  const auto stored = tavora::readWholeFile(folder + "guidepane.dat");
  ASSERT_TRUE(stored);
  const auto decoded = decodeGuideSettings(*stored);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->baseAddress, "http://x/a/");
  winui::setDialogSeam(nullptr);
  removeTree(folder.substr(0, folder.size() - 1));
}

// Wired as the program wires them, the server holding each image back: the close refused and an
// abort while a worker waits, then the program's end while a worker still waits.
TEST(DownloadForm, AnAbortEndsTheDownloadSilentlyAndTheProgramThenEndsWithinItsBoundWhileAWorkerWaits) {
  testhttp::Server server;
  server.script("/img/a.gif", {200, "a", 800});
  server.script("/img/b.gif", {200, "b", 6000});
  const std::string folder = freshFolder("tavora_exit_") + "\\";
  Boxes boxes;
  winui::setDialogSeam(&boxes);
  std::vector<std::string> asked, shown;
  guide::BrowserEvents events, mainEvents;
  FakePage page;
  bool releasedInLiveWindow = false;
  TForm1 form1(GuideEnvironment{folder, [&](HWND, guide::BrowserEvents e) { return std::make_unique<FakeBrowser>(shown, mainEvents = std::move(e)); }, {}});
  form1.settings().baseAddress = server.url("/tb/");
  auto form3 = std::make_unique<TForm3>(form1.handle(), form1.settings(), folder, TForm3::MainWindow{}, [&](HWND parent, guide::BrowserEvents e) {
    auto browser = std::make_unique<FakeBrowser>(asked, events = std::move(e));
    browser->onRelease = [&, parent] { releasedInLiveWindow = IsWindow(parent) != FALSE; };
    browser->makeDocument = [&] { return std::make_unique<FakeDocument>(page); };
    return browser;
  });
  form1.attachDownload(form3.get());
  auto pumpUntil = [](auto done) {
    for (auto end = std::chrono::steady_clock::now() + 8s; !done() && std::chrono::steady_clock::now() < end;) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      winui::processMessages();
    }
    return done();
  };
  auto startWithImage = [&](const std::string& image) {  // the first page saved, the server holding its image
    server.resetCounts();
    form3->click(TForm3::Button3);
    const std::string url = asked.back().substr(std::string("Navigate2 ").size());
    page = {url.substr(url.rfind('/') + 1, 6) + "table", server.url(image)};
    events.documentComplete(url, true);
    EXPECT_TRUE(pumpUntil([&] { const auto r = server.requests(); return std::find(r.begin(), r.end(), image) != r.end(); }));
  };
  auto bar = [&](int id) { return std::to_string(SendMessageW(form3->control(id), PBM_GETPOS, 0, 0)); };

  startWithImage("/img/a.gif");
  SendMessageW(form1.handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(form1.handle()));
  form3->click(TForm3::Button3);
  EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{w(texts::kDownloadRunning), w(texts::kDownloadAborted)}));
  EXPECT_EQ(boxes.captions, (std::vector<std::wstring>{L"電子番組表の終了エラー", L"電子番組表"}));
  EXPECT_EQ(std::to_string(form3->downloading()) + "|" + form3->text(TForm3::Button3) + "|" + form3->text(TForm3::Label8) +
                "|" + bar(TForm3::ProgressBar1) + "|" + bar(TForm3::ProgressBar2), "0|" + std::string(texts::kStartDownload) + "||0|0");
  EXPECT_TRUE(pumpUntil([&] { return form3->text(TForm3::Memo1).find(texts::kThreadDestroyed + std::string("0")) != std::string::npos; }));
  EXPECT_EQ(boxes.texts.size(), 2u);  // the worker's end brings no finish message
  // Log-off keeps the dialog's base address and check box, as a close does.
  form3->setText(TForm3::Edit1, "http://x/y/");
  form3->setChecked(TForm3::CheckBox1, true);
  SendMessageW(form1.handle(), WM_ENDSESSION, TRUE, 0);
  const auto loggedOff = decodeGuideSettings(tavora::readWholeFile(folder + "guidepane.dat").value_or(std::vector<uint8_t>{}));
  EXPECT_EQ(loggedOff ? loggedOff->baseAddress + std::to_string(loggedOff->header.downloadRecords) : "", "http://x/y/1");
  form3->setText(TForm3::Edit1, server.url("/tb/"));

  startWithImage("/img/b.gif");
  const auto answered = std::chrono::steady_clock::now() + 6s;
  // The image the abort cut is fetched by this download at its start, beside the page's.
  EXPECT_TRUE(pumpUntil([&] { return tavora::fileExists(folder + "prgTable\\img\\a.gif"); }));
  form3->click(TForm3::Button3);
  SendMessageW(form1.handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(form1.handle()));
  EXPECT_TRUE(releasedInLiveWindow);  // the hidden browser, before its windows died with the dialog's
  const auto closing = std::chrono::steady_clock::now();
  form3.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - closing, 6s);
  pumpUntil([&] { return std::chrono::steady_clock::now() > answered + 1s; });  // the worker left gets its answer
  EXPECT_EQ(boxes.texts.size(), 3u);
  // The one held at the end left nothing.
  EXPECT_FALSE(tavora::fileExists(folder + "prgTable\\img\\b.gif"));
  winui::setDialogSeam(nullptr);
  removeTree(folder.substr(0, folder.size() - 1));
}

}  // namespace
