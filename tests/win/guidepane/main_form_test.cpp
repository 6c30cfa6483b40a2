// The main window over a fake browser: its stored layout, its buttons, the navigator over saved
// pages, the close refusal, and the capture of program links from the local HTTP server, from a
// saved record and from a table faked behind the browser's document object model, read through the
// product's document adapter. Boxes are answered through the dialog seam.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "fake_browser.h"
#include "forms_fixture.h"
#include "guidepane/guide_dates.h"
#include "guidepane/win/main_form.h"
#include "http/http_server.h"
#include "common/fileio.h"
#include "winui/bar_panel.h"

namespace {

constexpr int32_t kBarRows = 32;  // one row below the tool bar

struct FakeCheck : guide::ReservationCheckPort {
  bool noTable = false;
  std::vector<guide::ProgramFields> filled;
  int shows = 0;
  std::function<void()> during;
  bool noChannelTable() const override { return noTable; }
  void fill(const guide::ProgramFields& f) override { filled.push_back(f); }
  void showModal() override {
    ++shows;
    if (during) during();
  }
};

struct FakeDownload : guide::DownloadPort {
  bool running = true;
  bool downloading() const override { return running; }
  void show() override {}
  void storeSettings() override {}
};

std::string fields(const guide::ProgramFields& f) {
  const auto s = tavora::decodeOleDate(f.start), e = tavora::decodeOleDate(f.end);
  char times[64];
  snprintf(times, sizeof times, "%d/%d %d:%02d-%d/%d %d:%02d", s.month, s.day, s.hour, s.minute, e.month, e.day,
           e.hour, e.minute);
  return std::string(times) + "|" + f.station + "|" + f.title + "|" + f.subtitle + "|" + f.description;
}

class GuideWindow : public ::testing::Test {
 protected:
  GuideWindow() {
    winui::setDialogSeam(&seam);
    OleInitialize(nullptr);
    folderW = scratchFolder(L"shell_" + winui::widen(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    folder = cp932(folderW);
    CreateDirectoryW((folderW + L"prgTable").c_str(), nullptr);
  }
  ~GuideWindow() override {
    form.reset();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    OleUninitialize();
    winui::setDialogSeam(nullptr);
  }
  void open() {
    GuideEnvironment env{folder,
                         [this](HWND parent, guide::BrowserEvents e) {
                           events = std::move(e);
                           auto b = std::make_unique<FakeBrowser>(log, events);
                           b->onRelease = [this, parent] { releasedInLiveWindow = IsWindow(parent) != FALSE; };
                           browser = b.get();
                           return b;
                         },
                         [this] { return clock; }};
    form = std::make_unique<TForm1>(env);
    form->attachReservationCheck(&check);
  }
  void savePages(std::initializer_list<const char*> names) {
    for (const char* n : names) writeText(folderW + L"prgTable\\" + winui::widen(n), "<html></html>");
  }
  std::string page(const char* name) const { return folder + "prgTable\\" + name; }
  bool visible(int id) const { return IsWindowVisible(form->control(id)) != FALSE; }
  bool pressed(int id) const { return SendMessageW(form->control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // The marks of the text sizes, radio items each.
  std::vector<bool> textSizeMarks() {
    std::vector<bool> marks;
    for (int i = 0; i < 5; ++i) {
      MENUITEMINFOW item{sizeof item, MIIM_FTYPE};
      GetMenuItemInfoW(form->PopupMenu1().handle(), TForm1::N1 + i, FALSE, &item);
      EXPECT_TRUE(item.fType & MFT_RADIOCHECK) << i;
      marks.push_back(form->PopupMenu1().checked(TForm1::N1 + i));
    }
    return marks;
  }
  bool navigate(const std::string& url) {
    bool cancel = false;
    events.beforeNavigate2(url, cancel);
    return cancel;
  }
  GuideSettings stored() const {
    auto bytes = tavora::readWholeFile(folder + "guidepane.dat");
    auto s = bytes ? decodeGuideSettings(*bytes) : std::nullopt;
    EXPECT_TRUE(s);
    return s.value_or(GuideSettings{});
  }

  AnsweringSeam seam;
  std::wstring folderW;
  std::string folder;
  std::vector<std::string> log;
  guide::BrowserEvents events;
  FakeBrowser* browser = nullptr;
  bool releasedInLiveWindow = false;
  FakeCheck check;
  double clock = at(2026, 12, 10, 20, 0);
  std::unique_ptr<TForm1> form;
};

TEST_F(GuideWindow, AStoredLayoutComesBackMaximisedAndTheWindowsButtonsCallTheBrowser) {
  {
    defFile s(folder + "guidepane.dat", {});
    s.header = {1, 40, 30, 500, 400, 2, {0, 0}, {260, 0}, {0, 40}, {0, 40}, 1, 3, 0};
  }
  open();
  form->showStored();
  EXPECT_TRUE(IsZoomed(form->handle()));
  WINDOWPLACEMENT p{sizeof p};
  GetWindowPlacement(form->handle(), &p);
  EXPECT_TRUE(EqualRect(&p.rcNormalPosition, std::data({RECT{40, 30, 540, 430}})));
  EXPECT_TRUE(form->online());
  EXPECT_TRUE(form->mainToolBar().down(TForm1::ToolButton1_A1));
  EXPECT_EQ(std::vector<bool>({visible(TForm1::Panel4), visible(TForm1::Panel5), visible(TForm1::Panel2A)}),
            std::vector<bool>({true, true, false}));
  EXPECT_EQ(winui::placeOf(form->control(TForm1::Panel5)).left, 260);
  EXPECT_EQ(winui::placeOf(form->control(TForm1::Panel4)).top, 40);
  EXPECT_EQ(textSizeMarks(), std::vector<bool>({false, true, false, false, false}));

  for (int id : {TForm1::ToolButton1, TForm1::ToolButton3, TForm1::ToolButton4, TForm1::ToolButton5,
                 TForm1::ToolButton11, TForm1::ToolButton8})
    form->click(id);  // no document yet: the text size button does nothing; no download dialog yet
  events.documentComplete("http://h/frame.htm", false);  // a frame names no page
  EXPECT_EQ(form->text(TForm1::ComboBox2), "");
  browser->name = "Table";
  events.documentComplete("http://h/table.htm", true);
  events.documentComplete("http://h/table.htm", true);
  EXPECT_EQ(textOf(form->handle()), L"電子番組表 - Table");
  EXPECT_EQ(form->text(TForm1::ComboBox2), "http://h/table.htm");
  // Enter twice in the address bar: the address twice at the top of its list.
  HWND edit = GetWindow(form->control(TForm1::ComboBox2), GW_CHILD);
  for (int i = 0; i < 2; ++i) {
    MSG enter{edit, WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(form->preTranslate(enter));
  }
  EXPECT_EQ(SendMessageW(form->control(TForm1::ComboBox2), CB_GETCOUNT, 0, 0), 2);
  form->textSizeItemClick(4);  // N5 "最小"
  EXPECT_EQ(log, (std::vector<std::string>{"GoBack", "GoForward", "Refresh", "Stop", "ExecWB 19 2 3",
                                           "Navigate2 http://h/table.htm", "Navigate2 http://h/table.htm",
                                           "ExecWB 19 2 0"}));
  events.progressChange(-1, 101);
  EXPECT_EQ(SendMessageW(form->control(TForm1::ProgressBar1), PBM_GETRANGE, FALSE, 0), 50);
  EXPECT_EQ(SendMessageW(form->control(TForm1::ProgressBar1), PBM_GETPOS, 0, 0), 0);

  SendMessageW(form->handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(form->handle()));
  EXPECT_TRUE(releasedInLiveWindow);  // before the control's windows die with the main window
  const GuideSettings s = stored();
  EXPECT_EQ(std::vector<int>({s.header.left, s.header.top, s.header.width, s.header.height, s.header.windowState,
                              s.header.online, s.header.textSize, s.header.panel5.left}),
            std::vector<int>({40, 30, 500, 400, 2, 1, 0, 260}));
  EXPECT_TRUE(seam.boxes.empty());
}

TEST_F(GuideWindow, AFirstStartIsOfflineAndTheNavigatorWalksTheSavedPages) {
  savePages({"121019tb.htm", "121021tb.htm", "121101tb.htm", "120923tb.htm"});
  open();
  form->showStored();
  EXPECT_EQ(log, std::vector<std::string>{"Navigate2 " + page("121019tb.htm")});
  EXPECT_FALSE(form->online());
  EXPECT_EQ(std::vector<bool>({visible(TForm1::Panel4), visible(TForm1::Panel5), visible(TForm1::Panel2A)}),
            std::vector<bool>({false, false, true}));
  EXPECT_EQ(textSizeMarks(), std::vector<bool>({false, false, true, false, false}));
  std::vector<bool> enabled, down;
  for (int i = 0; i < 9; ++i) {
    enabled.push_back(form->enabled(TForm1::ToolButton2_02 + i));
    down.push_back(pressed(TForm1::ToolButton2_02 + i));
  }
  EXPECT_EQ(enabled, std::vector<bool>({false, false, false, false, false, false, true, true, false}));
  EXPECT_EQ(down, std::vector<bool>({false, false, false, false, false, false, true, false, false}));
  EXPECT_EQ(std::vector<bool>({form->enabled(TForm1::SpeedButton2), form->enabled(TForm1::SpeedButton3),
                               form->enabled(TForm1::SpeedButton4), form->enabled(TForm1::BitBtn1),
                               form->enabled(TForm1::BitBtn2), form->enabled(TForm1::BitBtn3)}),
            std::vector<bool>({false, true, true, true, true, false}));
  EXPECT_EQ(textOf(form->control(TForm1::BitBtn1)), L"12月\n\r9日\n\r(水)");
  EXPECT_EQ(textOf(form->control(TForm1::Label1)), L"(木)");
  EXPECT_EQ(winui::widen(form->hints().hintOf(form->control(TForm1::ToolButton2_02 + 8))), L"23:00～1:00");
  EXPECT_EQ(winui::widen(form->hints().hintOf(form->control(TForm1::SpeedButton4))), L"今の時間の番組表へ");

  // Each tool button has its own image and asks its panel for its tooltip.
  std::vector<std::wstring> tips;
  std::vector<int> images;
  for (int id = TForm1::ToolButton1_A1; id <= TForm1::ToolButton11; ++id) {
    NMTTDISPINFOW info{};
    info.hdr = {nullptr, static_cast<UINT_PTR>(id), TTN_GETDISPINFOW};
    SendMessageW(form->control(TForm1::Panel3), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
    tips.push_back(info.lpszText ? info.lpszText : L"");
    images.push_back(form->mainToolBar().image(id));
  }
  EXPECT_EQ(tips, (std::vector<std::wstring>{L"オンラインモード", L"オフラインモード", L"番組表のダウンロード", L"戻る",
                                             L"進む", L"更新", L"中止", L"文字のサイズ"}));
  EXPECT_EQ(images, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(form->favouritesToolBar().image(TForm1::ToolButton7), 0);

  form->click(TForm1::SpeedButton3);  // 19 -> 21
  form->click(TForm1::BitBtn2);       // 11 December, its "21" is not saved: the picker moves only
  EXPECT_EQ(tavora::decodeOleDate(form->picker().value()).day, 11);
  form->click(TForm1::BitBtn1);  // back to the 10th, "21"
  form->ToolButton1_A2Click();
  EXPECT_FALSE(form->enabled(TForm1::SpeedButton2) || form->enabled(TForm1::SpeedButton3));  // no slot shown
  form->click(TForm1::BitBtn1);  // right after the switch: the 9th, the first page of the day saved? no
  form->click(TForm1::BitBtn2);  // the 10th's first page is not saved either
  clock = at(2026, 12, 10, 0, 30);
  form->click(TForm1::SpeedButton4);  // before 1:00 the 9th's "23"
  browser->hasDocument = true;
  for (int i = 0; i < 5; ++i) form->click(TForm1::ToolButton11);
  EXPECT_EQ(log, (std::vector<std::string>{"Navigate2 " + page("121019tb.htm"), "Navigate2 " + page("121021tb.htm"),
                                           "Navigate2 " + page("121021tb.htm"), "Navigate2 " + page("120923tb.htm"),
                                           "ExecWB 19 2 3", "ExecWB 19 2 4", "ExecWB 19 2 0", "ExecWB 19 2 1",
                                           "ExecWB 19 2 2"}));
  form.reset();
  const GuideSettings s = stored();
  EXPECT_EQ(s.header.online, 0);
  EXPECT_EQ(s.header.textSize, 2);
  EXPECT_NE(s.header.width, 0);
}

TEST_F(GuideWindow, ClosingIsRefusedDuringADownloadAndLogOffSavesTheSettings) {
  {
    defFile s(folder + "guidepane.dat", {});
    s.header.left = s.header.top = -30000;  // off every monitor: the default place instead
    s.header.width = s.header.height = 300;
  }
  FakeDownload download;
  open();
  WINDOWPLACEMENT p{sizeof p};
  GetWindowPlacement(form->handle(), &p);
  EXPECT_EQ(p.rcNormalPosition.right - p.rcNormalPosition.left, 679);
  form->attachDownload(&download);
  form->textSizeItemClick(0);
  // A panel dragged out of the bar comes back to its edge.
  HWND panel = form->control(TForm1::Panel2A);
  MoveWindow(panel, -40, 300, 600, 84, FALSE);
  SendMessageW(panel, WM_EXITSIZEMOVE, 0, 0);
  SendMessageW(form->handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(stored().header.textSize, 4);
  EXPECT_EQ(stored().header.panel2A, (PanelPos{0, kBarRows}));
  SendMessageW(form->handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(form->handle()));
  EXPECT_EQ(seam.boxes, (Log{L"電子番組表の終了エラー|番組表のダウンロード中です。\nプログラムを終了するには、"
                             L"ダウンロードを中止する必要があります。|30"}));
  download.running = false;
  SendMessageW(form->handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(form->handle()));
}

TEST_F(GuideWindow, ALinkIsFilledFromTheServerFromASavedRecordOrFromTheTable) {
  testhttp::Server server;
  const std::string good = server.url("/cgi/TVpinfo.pl?ch=S1&t=2026/12/10/21:00");
  const std::string missing = server.url("/cgi/TVpinfo.pl?ch=S2&t=2026/12/10/21:30");
  server.script("/cgi/TVpinfo.pl?ch=S1&t=2026/12/10/21:00",
                {200, "end: 21:54\r\nprogram-title: News\r\nprogram-subtitle: Part 1\r\n\r\nBody"});
  {
    defFile s(folder + "guidepane.dat", {});
    s.header.online = 1;
  }
  open();
  // The table on screen, for the scrape.
  browser->hasDocument = true;
  browser->url = server.url("/tokyo/table/121021tb.htm");
  browser->cells = {fakeCell(10, good, "A", ""), fakeCell(40, missing, "Movie", "(22:54)")};

  EXPECT_TRUE(navigate(good));
  EXPECT_TRUE(navigate(missing));  // 404: the box, then the table
  // Offline: the record saved beside the shown page, then a page with no records: the table.
  form->ToolButton1_A2Click();
  std::string url = "file:///" + folder + "prgTable/121021tb.htm";
  for (char& c : url)
    if (c == '\\') c = '/';
  browser->url = url;
  CreateDirectoryW((folderW + L"prgTable\\121021tb").c_str(), nullptr);
  writeText(folderW + L"prgTable\\121021tb\\ch_S2_t_2026_12_10_21_30.txt",
            "end: 22:10\r\nprogram-title: Saved\r\n\r\nFrom the file");
  EXPECT_TRUE(navigate(missing));
  writeText(folderW + L"prgTable\\121021tb\\ch_S2_t_2026_12_10_21_30.txt", "not a record");
  EXPECT_TRUE(navigate(missing));
  // A navigation while the check is open starts no second capture.
  check.during = [&] { EXPECT_TRUE(navigate(good)); };
  EXPECT_TRUE(navigate(good));
  check.during = nullptr;

  std::vector<std::string> got;
  for (const auto& f : check.filled) got.push_back(fields(f));
  EXPECT_EQ(got, (std::vector<std::string>{"12/10 21:00-12/10 21:54|S1|News| Part 1|Body",
                                           "12/10 21:30-12/10 22:54|S2|Movie||Movie(22:54)",
                                           "12/10 21:30-12/10 22:10|S2|Saved||From the file",
                                           "12/10 21:30-12/10 22:54|S2|Movie||Movie(22:54)",
                                           "12/10 21:00-12/10 23:00|S1|A||A"}));
  EXPECT_EQ(check.shows, 5);
  EXPECT_EQ(form->slotEndHour(), 23);
  EXPECT_EQ(liveHtmlFakes(), 0);  // the adapter let go of every element and collection

  // Other links go ahead; without a channel table only a program link is told so; a past table
  // stops the scrape and shows no check.
  EXPECT_FALSE(navigate("http://h/tokyo/table/121021tb.htm"));
  EXPECT_FALSE(navigate("http://h/cgi/tvpinfo.pl?ch=S1&t=2026/12/10/21:00"));
  clock = at(2026, 12, 11, 12, 0);
  EXPECT_TRUE(navigate(server.url("/cgi/TVpinfo.pl?ch=S3&t=2026/12/10/21:00")));
  check.noTable = true;
  EXPECT_FALSE(navigate("http://h/tokyo/table/121021tb.htm"));
  EXPECT_FALSE(navigate(good));
  EXPECT_EQ(check.shows, 5);
  EXPECT_EQ(seam.boxes, (Log{L"電子番組表|指定したアドレスから情報の取得に失敗しました。|0",
                             L"電子番組表|過去の番組表から予約しようとしました。|0",
                             L"guidepane予約エラー|チャンネル情報の設定が見つかりません。\n予約に失敗しました。|30"}));
}

}  // namespace
