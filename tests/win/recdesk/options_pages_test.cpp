// The options pages for reservations, manual recording and channels, each on a parent window,
// with the request queue over a recording transport and the dialog seam answering.
#include <gtest/gtest.h>

#include <deque>

#include "recdesk/link_fixture.h"
#include "recdesk/win/channel_page.h"
#include "recdesk/win/manual_page.h"
#include "recdesk/win/reservation_page.h"
#include "winui/dialogs.h"
#include "winui/text.h"

namespace {

// UTF-8 to Shift-JIS, through UTF-16 and code page 932.
std::string sj(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                      wide.data(), static_cast<int>(wide.size()))));
  return winui::narrow(wide);
}

using Lines = std::vector<std::string>;

struct Seam : winui::DialogSeam {
  int messageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT) override {
    boxes.push_back(caption + L"|" + text);
    return IDOK;
  }
  std::optional<std::wstring> openFile(HWND, const std::wstring& title, const std::wstring& filter) override {
    asked.push_back(title + L"|" + filter.substr(0, filter.find(L'\0')));
    if (files.empty()) return std::nullopt;
    std::wstring file = files.front();
    files.pop_front();
    return file;
  }
  std::vector<std::wstring> boxes, asked;
  std::deque<std::wstring> files;
};

struct Host : ChannelPageHost {
  channels::TuningRange tuningRange(bool cable) const override { return cable ? channels::TuningRange{1, 50} : channels::TuningRange{1, 62}; }
  bool antennaInput() const override { return true; }
  bool muteDown() const override { return false; }
};

struct Pages : ::testing::Test {
  Pages() : parent(options()) { winui::setDialogSeam(&seam); }
  ~Pages() override { winui::setDialogSeam(nullptr); }
  static winui::Form::Options options() {
    winui::Form::Options o;
    o.className = L"TavoraPagesTest";
    o.bounds = {0, 0, 440, 380};
    return o;
  }
  void command(winui::Form& page, int id, WORD code) {
    SendMessageW(page.handle(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(page.control(id)));
  }
  // Rows of four cells: name, key, tuning, input.
  static ChannelListBlock block(int32_t current, const std::vector<std::string>& cells) {
    ChannelListBlock list{current, {}};
    for (size_t i = 0; i + 3 < cells.size(); i += 4) list.rows.push_back({cells[i], cells[i + 1], cells[i + 2], cells[i + 3]});
    return list;
  }
  Seam seam;
  winui::Form parent;
  LinkFixture link;
};

const std::string kAnt = sj("アンテナ");

}  // namespace

TEST_F(Pages, TheChannelEditorSendsEachEditAsTheEngineTakesIt) {
  bool loaded = false, edited = false, suppress = false;
  Host host;
  ChannelPage page(parent.handle(), {0, 0, 420, 300}, link.link, host, {loaded, edited, suppress});
  page.shown();
  page.shown();
  EXPECT_EQ(link.drain(), (Lines{"tune prChannelToListview"}));
  const auto list = block(0, {"NHK", "1", "1", kAnt, "ETV", "2", "2", kAnt, "Composit", "C", "Composit", kAnt,
                              "S-Video", "S", "S-Video", kAnt, "TBS", "6", "60", kAnt});
  page.channelList(list);
  EXPECT_EQ(page.list().count(), 5);
  EXPECT_EQ(page.list().row(4), (Lines{"TBS", "6", "60", kAnt}));
  EXPECT_EQ(link.drain(), (Lines{"mix setMute ON", "tune setCh 1", "tune setSelChCombo ANT"}));
  // The free keys of row 0, then row 1 chosen: its own key goes, not the box's.
  page.freeChannels({0, {"1", "3", "4"}});
  EXPECT_EQ(page.text(ChannelPage::ComboBox5), "1");
  page.list().select(1);
  page.setText(ChannelPage::Edit7, "E TV");
  command(page, ChannelPage::Edit7, EN_KILLFOCUS);
  page.setText(ChannelPage::Edit7, "E\"TV");  // refused
  EXPECT_EQ(page.text(ChannelPage::Edit7), "E TV");
  page.setText(ChannelPage::Edit9, "70");  // outside 1-62
  EXPECT_EQ(page.text(ChannelPage::Edit9), "2");
  page.setText(ChannelPage::Edit9, "40");
  page.setComboIndex(ChannelPage::ComboBox5, 2);
  command(page, ChannelPage::ComboBox5, CBN_SELCHANGE);
  EXPECT_EQ(link.drain(), (Lines{"mix setMute ON", "tune setCh 2", "tune setSelChCombo ANT",
                                 "tune changeChValue 1 \"E TV\" 2 2 ANT", "tune changeChValue 1 \"E TV\" 2 40 ANT",
                                 "mix setMute ON", "tune setCh", "tune changeChValue 1 \"E TV\" 4 40 ANT"}));
  // Row 4 switched to cable (1-50) has its tuning clamped before it goes.
  page.list().select(4);
  page.inputGroup().clickItem(1);
  EXPECT_EQ(page.list().row(4), (Lines{"TBS", "6", "50", sj("ケーブル")}));
  // A Composite row renamed goes with its key and tuning; "上へ" moves it with its selection.
  page.list().select(2);
  EXPECT_FALSE(IsWindowEnabled(page.control(ChannelPage::Button18)));
  page.setText(ChannelPage::Edit7, "AV");
  command(page, ChannelPage::Edit7, EN_KILLFOCUS);
  page.click(ChannelPage::Button12);
  EXPECT_EQ(page.list().selected(), 1);
  EXPECT_EQ(page.list().cell(1, 0), "AV");
  EXPECT_EQ(link.drain(), (Lines{"mix setMute ON", "tune setCh 6", "tune setSelChCombo ANT",
                                 "tune changeChValue 4 \"TBS\" 6 50 CBL", "mix setMute ON", "tune setCh",
                                 "mix setMute ON", "tune setCh 65535", "tune changeChValue 2 \"AV\" 65535 65535 ANT",
                                 "tune chIndexToUpper 2"}));
  // "新規" above row 0 takes the first free key when the engine tells it is added.
  page.list().select(0);
  page.click(ChannelPage::Button17);
  page.channelNumbers({"3", "5"});
  page.channelAdded();
  const std::string added = sj("新規チャンネル");
  EXPECT_EQ(page.list().row(0), (Lines{added, "3", "1", kAnt}));
  // Deleting the last of six selects the new last one and tunes it.
  page.list().select(5);
  page.click(ChannelPage::Button18);
  EXPECT_EQ(page.list().selected(), 4);
  EXPECT_EQ(link.drain(), (Lines{"mix setMute ON", "tune setCh 1", "tune setSelChCombo ANT",
                                 "tune addChToList 0 \"" + added + "\" 1 ANT",
                                 "tune changeChValue 0 \"" + added + "\" 3 1 ANT", "mix setMute ON", "tune setCh 6",
                                 "tune setSelChCombo CBL", "tune delChFromList 5", "mix setMute ON",
                                 "tune setCh 65534"}));
  // The scan, then the buttons with no row selected do nothing.
  page.click(ChannelPage::Button23);
  for (int button : {ChannelPage::Button12, ChannelPage::Button16, ChannelPage::Button17, ChannelPage::Button18})
    page.click(button);
  EXPECT_EQ(link.drain(), (Lines{"mix setMute ON", "tune searchChannel CBL", "tune prChannelToListview",
                                 "mix setMute OFF"}));
  EXPECT_EQ(page.list().count(), 0);
  const auto one = block(0, {"NHK", "1", "1", kAnt});
  page.channelList(one);
  page.channelList(one);  // asked twice: still the one row
  EXPECT_EQ(page.list().count(), 1);
  page.click(ChannelPage::Button18);
  EXPECT_EQ(seam.boxes, (std::vector<std::wstring>{L"Tavora|全てのチャンネルを削除することはできません。"}));
  EXPECT_TRUE(edited);
  EXPECT_FALSE(suppress);
}

TEST_F(Pages, SelectingRowsAloneEditsNothingAndTheScrollBarTunes) {
  bool loaded = false, edited = false, suppress = false;
  Host host;
  ChannelPage page(parent.handle(), {0, 0, 420, 300}, link.link, host, {loaded, edited, suppress});
  const auto list = block(1, {"A", "1", "1", kAnt, "B", "2", "2", kAnt});
  page.channelList(list);  // before the page was shown: no selection procedure
  page.shown();
  page.list().select(0);
  EXPECT_FALSE(edited);
  page.scroll(SB_LINERIGHT);
  EXPECT_EQ(link.drain(), (Lines{"tune prChannelToListview", "mix setMute ON", "tune setCh 1",
                                 "tune setSelChCombo ANT", "tune changeChValue 0 \"A\" 1 2 ANT", "mix setMute ON",
                                 "tune setCh"}));
  EXPECT_TRUE(edited);
  // A name typed, then another row or a blank part clicked (selection before focus): its own row.
  for (const auto& [name, clicked] : {std::pair{"AA", 1}, std::pair{"BB", -1}}) {
    SetFocus(page.control(ChannelPage::Edit7));
    page.setText(ChannelPage::Edit7, name);
    page.list().select(clicked);
    SetFocus(page.list().handle());
  }
  EXPECT_EQ(link.drain(), (Lines{"tune changeChValue 0 \"AA\" 1 2 ANT", "mix setMute ON", "tune setCh 2",
                                 "tune setSelChCombo ANT", "tune changeChValue 1 \"BB\" 2 2 ANT"}));
  // A pasted "S-Video": the tuning controls off as selecting such a row turns them.
  page.list().select(0);
  SetFocus(page.control(ChannelPage::Edit9));
  page.setText(ChannelPage::Edit9, "S-Video");
  std::string on;
  for (int id : {ChannelPage::ComboBox5, ChannelPage::Edit9, ChannelPage::ScrollBar1, ChannelPage::Button18})
    on += IsWindowEnabled(page.control(id)) ? '1' : '0';
  EXPECT_EQ(on + std::to_string(IsWindowEnabled(page.inputGroup().item(1))) + std::to_string(page.inputGroup().index()), "00000-1");
  EXPECT_NE(GetFocus(), page.control(ChannelPage::Edit9));
}

TEST_F(Pages, AListWithCheckBoxesKeepsEachRowsCheckWithoutRaisingTheUsersEvent) {
  winui::ListView list(parent.handle(), 900, {0, 0, 200, 100}, true);
  list.addColumn("a", 50);
  list.addColumn("b");
  int events = 0;
  list.onCheck([&](int, bool) { ++events; });
  list.insertRow(0, {"x", "1"});
  list.insertRow(0, {"y", "2"});
  list.setChecked(1, true);
  EXPECT_EQ(list.row(1), (Lines{"x", "1"}));
  EXPECT_TRUE(list.checked(1));
  EXPECT_FALSE(list.checked(0));
  EXPECT_EQ(events, 0);
}

TEST_F(Pages, TheReservationPageStoresOnlyUsableValues) {
  timerIni settings;
  std::deque<std::string> folders = {"D:\\rec", "D:\\", "D:\\" + sj("表")};
  std::vector<std::string> roots;
  ReservationPage page(parent.handle(), {0, 0, 420, 300}, settings,
                       [&](HWND, const std::string&, const std::string& root) -> std::optional<std::string> {
                         roots.push_back(root);
                         std::string f = folders.front();
                         folders.pop_front();
                         return f;
                       });
  settings.noticeSeconds = 90;
  settings.earlyStart = -10.6 / 86400;
  page.shown();
  EXPECT_EQ(page.text(ReservationPage::Edit4), "11");
  EXPECT_DOUBLE_EQ(settings.earlyStart, -11.0 / 86400);
  for (const char* bad : {"0", "-5", "abc", "65536", ""}) {
    page.setText(ReservationPage::Edit2, bad);
    EXPECT_EQ(page.text(ReservationPage::Edit2), "90") << bad;
  }
  page.setText(ReservationPage::Edit12, "65535");
  page.setText(ReservationPage::Edit4, "nan");
  EXPECT_EQ(page.text(ReservationPage::Edit4), "11");
  page.setText(ReservationPage::Edit4, "1.5");
  EXPECT_EQ(settings.powerOffCountdown, 65535);
  EXPECT_DOUBLE_EQ(settings.earlyStart, -1.5 / 86400);
  for (int i = 0; i < 3; ++i) page.click(ReservationPage::Button11);
  EXPECT_EQ(settings.folder, "D:\\" + sj("表") + "\\");
  EXPECT_EQ(roots.front(), "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
  // The wake-up switch: off stores "@", on prompts and keeps it until a program is chosen.
  page.setChecked(ReservationPage::CheckBox2, true);
  page.click(ReservationPage::CheckBox2);
  EXPECT_EQ(page.text(ReservationPage::Edit5), sj("右のボタンを押して、場所を指定してください"));
  EXPECT_EQ(settings.wakeUpProgram, "@");
  seam.files = {L"C:\\w\u00e9\\wakecall.exe", L"C:\\w\\wakecall.exe"};
  page.click(ReservationPage::Button2);
  EXPECT_EQ(settings.wakeUpProgram, "@");
  EXPECT_EQ(seam.boxes.size(), 1u);
  page.click(ReservationPage::Button2);
  EXPECT_EQ(settings.wakeUpProgram, "C:\\w\\wakecall.exe");
  EXPECT_EQ(seam.asked.front(), L"「wakecall.EXE」の場所|EXEファイル");
}

TEST_F(Pages, TheManualPageFallsBackToTvAndRefusesAQuotedFile) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"tavora-manual-page\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  for (const wchar_t* name : {L"A.video", L"B.video2"}) CloseHandle(CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  CapFormFile view;
  view.qualityName = "gone";
  timerIni settings;
  bool vfw = true;
  ManualPage page(parent.handle(), {0, 0, 420, 300}, view, settings, winui::narrow(folder), vfw);
  page.shown();
  EXPECT_EQ(view.qualityName, sj("ＴＶ"));
  EXPECT_EQ(page.text(ManualPage::ComboBox4), sj("ＴＶ"));
  EXPECT_EQ(page.recordButtonGroup().index(), 1);
  page.recordButtonGroup().clickItem(0);
  EXPECT_EQ(view.viewSettings.confirmBeforeRecording, 1);
  page.setText(ManualPage::Edit11, "C:\\a\"b.AVI");
  EXPECT_EQ(view.recordFileName, "C:\\AVCapture.AVI");
  // A character code page 932 has not, or one no path holds: refused, the stored one shown.
  for (const wchar_t* typed : {L"C:\\\uD55C.AVI", L"C:\\a|b.AVI"}) {
    SetWindowTextW(page.control(ManualPage::Edit11), typed);
    EXPECT_EQ(page.text(ManualPage::Edit11), "C:\\AVCapture.AVI");
  }
  seam.files = {L"C:\\rec\\" + winui::widen(sj("表")) + L".AVI"};
  page.click(ManualPage::Button3);
  EXPECT_EQ(view.recordFileName, "C:\\rec\\" + sj("表") + ".AVI");
  page.setComboIndex(ManualPage::ComboBox4, 0);
  command(page, ManualPage::ComboBox4, CBN_SELCHANGE);
  EXPECT_EQ(view.qualityName, "A");
  for (const wchar_t* name : {L"A.video", L"B.video2"}) DeleteFileW((folder + name).c_str());
  RemoveDirectoryW(folder.c_str());
}
