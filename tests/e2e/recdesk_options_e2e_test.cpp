// The options dialog end to end under Wine: opened from the TV view, the exact engine lines
// of its frame and of its pages 0 and 1, replies routed into it, and its close.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/messages.h"
#include "recdesk_bench.h"

using e2e::RecdeskBench;

namespace {

constexpr WPARAM kOptions = 101;
// Control ids of the dialog and of page 0.
constexpr int kClose = 2;
constexpr int kSaturation = 1, kBrightness = 2, kContrast = 3, kHue = 4;
constexpr int kReset = 10, kMixerLine = 11, kVfw = 13, kWdm = 14, kPreallocBox = 16, kPrealloc = 17, kNoPreview = 18;

const std::vector<std::string> kQueries = {"cVCap getQuality Saturation", "cVCap getQuality Brightness",
                                           "cVCap getQuality Contrast",   "cVCap getQuality Hue",
                                           "mix getDevList",              "mix getNowMixerDev"};

std::vector<uint8_t> nameBlock(const std::vector<std::string>& names) {
  std::vector<uint8_t> out(4);
  out[0] = static_cast<uint8_t>(names.size());
  for (const std::string& n : names) {
    out.insert(out.end(), n.begin(), n.end());
    out.push_back(0);
  }
  return out;
}

std::string sj(const wchar_t* text) {
  char out[256] = {};
  WideCharToMultiByte(932, 0, text, -1, out, sizeof out, nullptr, nullptr);
  return out;
}

// Page 1's sequences for a profile.
std::vector<std::string> queriesAndObjects(const std::string& q) {
  return {"cVCap getVideoSize", "cVCap getFrameRate", "label compSetStart", "new Compress cComp",
          "cComp create \"" + q + "\"", "cComp enumCompNames", "new ACapSorce cACap", "cACap create \"" + q + "\"",
          "cACap getWFormat"};
}
std::vector<std::string> profileSwitch(const std::string& q) {
  return {"cVCap saveFormat", "mix getSysVolMute", "mix setMute ON", "clean filterSet", "tune nukeWithoutNeeds cFg",
          "preView2a.cmd", "cVCap loadFormat \"" + q + "\"", "form", "width", "height",
          "cCapBuild setViewWin form width height", "preView2b.cmd", "mix setSysVolMute", "tune setCh"};
}
std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct OptionsBench : ::testing::Test {
  void SetUp() override { ASSERT_NE(view = bench.startWithView(), nullptr); }
  // The requests from now on.
  void mark() { bench.markRequests(); }
  std::vector<std::string> since() const { return bench.requestsSinceMark(); }
  // Waits until the requests since the mark are exactly these (and stay so a moment).
  ::testing::AssertionResult sentSince(const std::vector<std::string>& expected) {
    std::vector<std::string> got;
    const bool same = bench.sentSinceMark(expected, got);
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "sent " << ::testing::PrintToString(got);
  }
  void open() {
    mark();
    bench.choose(view, kOptions);  // once the queue has drained, as the menu offers it only then
    ASSERT_TRUE(e2e::pollUntil([&] { return (dialog = bench.findWindow(bench.process(), L"TForm3")) != nullptr; },
                               10000));
    page0 = FindWindowExW(dialog, nullptr, L"TForm3TabSheet1", nullptr);
    ASSERT_NE(page0, nullptr);
    ASSERT_TRUE(sentSince(kQueries));
  }
  void close() {
    SendMessageW(GetDlgItem(dialog, kClose), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::pollUntil([&] { return !IsWindow(dialog); }, 10000));
  }
  HWND control(int id) const { return GetDlgItem(page0, id); }
  HWND focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
  }
  // A key as the keyboard gives it to the focused control; where the focus goes.
  HWND press(WPARAM key) {
    HWND from = focus();
    PostMessageW(from, WM_KEYDOWN, key, 1);
    PostMessageW(from, WM_KEYUP, key, 1 | (LPARAM{3} << 30));
    e2e::pollUntil([&] { return focus() != from; }, 5000);
    return focus();
  }
  HWND tabs() const { return FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr); }
  // The arrow keys move the page control as a user's would.
  void nextPage(WPARAM key = VK_RIGHT) { SendMessageW(tabs(), WM_KEYDOWN, key, 0); }
  void toQualityPage() {
    mark();
    nextPage();
    page1 = FindWindowExW(dialog, nullptr, L"TForm3TabSheet2", nullptr);
    ASSERT_NE(page1, nullptr);
    ASSERT_TRUE(sentSince(queriesAndObjects(sj(L"ＴＶ"))));
  }
  HWND profiles() const { return GetDlgItem(page1, 1); }
  std::vector<std::string> profileItems() const {
    std::vector<std::string> out;
    const int n = static_cast<int>(SendMessageW(profiles(), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t text[128] = {};
      SendMessageW(profiles(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      out.push_back(sj(text));
    }
    return out;
  }
  std::string profileText() const {
    wchar_t text[128] = {};
    SendMessageW(profiles(), WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
    return sj(text);
  }
  // A user's choice in a combo box of a page.
  void choose(HWND page, int id, int index) {
    SendMessageW(GetDlgItem(page, id), CB_SETCURSEL, index, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
  }
  void chooseProfile(const std::string& name) {
    const auto items = profileItems();
    const auto at = std::find(items.begin(), items.end(), name);
    ASSERT_NE(at, items.end()) << name;
    choose(page1, 1, static_cast<int>(at - items.begin()));
  }
  // Types over the profile's text and leaves the box, unless told to stay.
  void typeProfile(const wchar_t* text, bool wait = true, bool leave = true) {
    HWND edit = FindWindowExW(profiles(), nullptr, L"Edit", nullptr);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    if (!*text) SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    for (const wchar_t* c = text; *c; ++c) SendMessageW(edit, WM_CHAR, *c, 0);
    if (!leave) return;
    if (wait)
      SendMessageW(page1, WM_COMMAND, MAKEWPARAM(1, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(profiles()));
    else
      PostMessageW(page1, WM_COMMAND, MAKEWPARAM(1, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(profiles()));
  }
  std::string pageLive(std::string on = "") const {  // the page's seven controls in id order, "1" enabled
    for (int id = 1; id <= 7; ++id) on += IsWindowEnabled(GetDlgItem(page1, id)) ? '1' : '0';
    return on;
  }
  // Clicks a button of a page; a box it shows is answered and its text returned.
  std::wstring clickAnswering(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
    return answerBox();
  }
  std::wstring answerBox() {
    HWND box = nullptr;
    if (!e2e::pollUntil([&] { return (box = bench.findBox(bench.process())) != nullptr; }, 3000)) return L"";
    const std::wstring text = RecdeskBench::boxText(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    e2e::pollUntil([&] { return !IsWindow(box); }, 3000);
    return text;
  }
  bool exists(const wchar_t* name) const { return GetFileAttributesW((bench.folder() + name).c_str()) != INVALID_FILE_ATTRIBUTES; }
  int position(int id) const { return static_cast<int>(SendMessageW(control(id), TBM_GETPOS, 0, 0)); }

  RecdeskBench bench;
  HWND view = nullptr;
  HWND dialog = nullptr;
  HWND page0 = nullptr;
  HWND page1 = nullptr;
};

}  // namespace

TEST_F(OptionsBench, OpensOnPageZeroWithItsQueriesEveryTimeAndClosesWithNothingMore) {
  open();
  wchar_t caption[32] = {};
  GetWindowTextW(dialog, caption, 32);
  EXPECT_STREQ(caption, L"設定");
  HWND tabs = FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_FALSE(IsWindowEnabled(view));  // modal
  // The preallocation: the box takes the empty size as 1; a typed 0 turns it off for the next
  // opening.
  auto editText = [&] {
    wchar_t text[16] = {};
    SendMessageW(control(kPrealloc), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
    return std::wstring(text);
  };
  EXPECT_FALSE(IsWindowEnabled(control(kPrealloc)));
  SendMessageW(control(kPreallocBox), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(control(kPrealloc)));
  EXPECT_EQ(editText(), L"1");
  SendMessageW(control(kPrealloc), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0"));
  EXPECT_EQ(SendMessageW(control(kPreallocBox), BM_GETCHECK, 0, 0), BST_CHECKED);
  mark();
  close();
  EXPECT_TRUE(sentSince({}));
  EXPECT_TRUE(IsWindowEnabled(view));
  open();  // the queries again
  EXPECT_EQ(SendMessageW(control(kPreallocBox), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(IsWindowEnabled(control(kPrealloc)));
  close();
}

TEST_F(OptionsBench, RepliesReachThePageAndADroppedOneWithoutADialog) {
  // Before any dialog the replies go nowhere and nothing breaks.
  bench.enginePosts(tvr::TVR_VIDEOPROP, 0, 10);
  bench.engineSends(tvr::CD_MIXERLINES, nameBlock({"Line"}));
  open();
  mark();
  bench.engineSends(tvr::CD_MIXERLINES, nameBlock({"Line In", "CD"}));
  bench.enginePosts(tvr::TVR_MIXDEVINDEX, 1, 0);
  std::vector<uint8_t> bad = nameBlock({"X"});
  bad[0] = 3;  // says three names, holds one
  bench.engineSends(tvr::CD_MIXERLINES, bad);
  ASSERT_TRUE(e2e::pollUntil([&] { return SendMessageW(control(kMixerLine), CB_GETCURSEL, 0, 0) == 1; }, 5000));
  EXPECT_EQ(SendMessageW(control(kMixerLine), CB_GETCOUNT, 0, 0), 2);
  // A reported value moves its bar, which sends it back once; one already there sends nothing;
  // one outside the bar is shown clamped and the clamped one sent, also with the bar there.
  bench.enginePosts(tvr::TVR_VIDEOPROP, 0, 200);  // brightness
  bench.enginePosts(tvr::TVR_VIDEOPROP, 1, 127);  // contrast, unchanged
  bench.enginePosts(tvr::TVR_VIDEOPROP, 2, 300);  // hue
  bench.enginePosts(tvr::TVR_VIDEOPROP, 2, 256);
  bench.enginePosts(tvr::TVR_VIDEOPROP, 9, 5);    // no such property
  EXPECT_TRUE(sentSince({"cVCap setQuality Brightness 200", "cVCap setQuality Hue 255", "cVCap setQuality Hue 255"}));
  EXPECT_EQ(position(kBrightness), 200);
  EXPECT_EQ(position(kHue), 255);
  // The reset sends only the bars it moves.
  mark();
  SendMessageW(control(kReset), BM_CLICK, 0, 0);
  EXPECT_TRUE(sentSince({"cVCap setQuality Brightness 127", "cVCap setQuality Hue 127"}));
  mark();
  SendMessageW(control(kReset), BM_CLICK, 0, 0);
  EXPECT_TRUE(sentSince({}));
  // The sound line chosen by the user.
  mark();
  SendMessageW(control(kMixerLine), CB_SETCURSEL, 0, 0);
  SendMessageW(page0, WM_COMMAND, MAKEWPARAM(kMixerLine, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control(kMixerLine)));
  EXPECT_TRUE(sentSince({"mix setCurrentMixDev 0"}));
  close();
}

TEST_F(OptionsBench, RefusedWhileTheRecordButtonIsDown) {
  bench.enginePosts(tvr::TVR_RECON, 0, 0);
  mark();
  bench.choose(view, kOptions);
  HWND box = nullptr;
  ASSERT_TRUE(e2e::pollUntil([&] { return (box = bench.findBox(bench.process())) != nullptr; }, 10000));
  EXPECT_EQ(RecdeskBench::boxText(box), L"録画中と予約録画の準備中は、設定を開けません。");
  wchar_t caption[32] = {};
  GetWindowTextW(box, caption, 32);
  EXPECT_STREQ(caption, L"Tavora");
  EXPECT_EQ(bench.findWindow(bench.process(), L"TForm3"), nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(sentSince({}));
}

TEST_F(OptionsBench, DriverSwitchBothWaysAndTheNoOpClick) {
  bench.enginePosts(tvr::TVR_DRIVER, 1, 1);  // WDM in use, both kinds present
  Sleep(200);
  open();
  EXPECT_TRUE(IsWindowEnabled(control(kVfw)));
  EXPECT_EQ(SendMessageW(control(kWdm), BM_GETCHECK, 0, 0), BST_CHECKED);
  auto switchTo = [](const char* kind) {
    return std::vector<std::string>{"mix getSysVolMute", "mix setMute ON", "clean filterSet",
                                    "tune nukeWithoutNeeds cFg", std::string("cVCap chgDriver ") + kind,
                                    "form", "width", "height", "preView3.cmd", "mix setSysVolMute"};
  };
  mark();
  SendMessageW(control(kWdm), BM_CLICK, 0, 0);  // the kind in use: nothing
  SendMessageW(control(kVfw), BM_CLICK, 0, 0);
  ASSERT_TRUE(sentSince(switchTo("VfW")));
  mark();
  SendMessageW(control(kVfw), BM_CLICK, 0, 0);
  SendMessageW(control(kWdm), BM_CLICK, 0, 0);
  ASSERT_TRUE(sentSince(switchTo("WDM")));
  // Up checks the next item; Tab goes round as laid out, once through the group, never a frame.
  mark();
  EXPECT_EQ(press(VK_UP), control(kVfw));
  ASSERT_TRUE(sentSince(switchTo("VfW")));
  std::vector<HWND> stops;
  for (int i = 0; i < 11; ++i) stops.push_back(press(VK_TAB));
  EXPECT_EQ(stops, (std::vector<HWND>{control(kPreallocBox), control(kNoPreview), GetDlgItem(dialog, kClose), tabs(),
                                      control(kBrightness), control(kContrast), control(kHue), control(kSaturation),
                                      control(kReset), control(kMixerLine), control(kVfw)}));
  close();
  // With one kind only the group is disabled.
  bench.enginePosts(tvr::TVR_DRIVER, 1, 0);
  Sleep(200);
  open();
  EXPECT_FALSE(IsWindowEnabled(control(kVfw)));
  EXPECT_FALSE(IsWindowEnabled(control(kWdm)));
  close();
}

TEST_F(OptionsBench, QualityListsByDriverWithTheBuiltInOnce) {
  bench.enginePosts(tvr::TVR_DRIVER, 1, 1);  // WDM
  Sleep(200);
  open();
  toQualityPage();  // no files: only the built-in
  EXPECT_EQ(profileItems(), std::vector<std::string>{sj(L"ＴＶ")});
  EXPECT_EQ(profileText(), sj(L"ＴＶ"));
  for (const wchar_t* name : {L"W.video2", L"ｔｖ.video2", L"V.video"}) bench.writeFile(name, {1});
  mark();
  nextPage(VK_LEFT);  // leaving on the built-in
  ASSERT_TRUE(sentSince(std::vector<std::string>{"clean compSetStart"} + kQueries));
  toQualityPage();
  auto items = profileItems();
  std::sort(items.begin(), items.end());
  EXPECT_EQ(items, (std::vector<std::string>{"W", sj(L"ＴＶ")}));  // listed once, the VfW one not
  EXPECT_EQ(profileText(), sj(L"ＴＶ"));
  bench.enginePosts(tvr::TVR_VIDEOSIZE, 720, -480);  // a negative height reads signed
  wchar_t height[16] = {};
  EXPECT_TRUE(e2e::pollUntil([&] { return GetDlgItemTextW(page1, 21, height, 16) && !wcscmp(height, L"-480"); }, 5000));
  // A name typed over "W" and not confirmed, the dialog closed by Alt+F4: the rename's check runs
  // first; the built-in's other case is refused and told, and the leave goes by W, still loaded.
  mark();
  chooseProfile("W");
  typeProfile(L"ｔｖ", true, false);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(answerBox(), L"「ＴＶ」の名前は変えられず、ほかの設定を「ＴＶ」にすることもできません。");
  EXPECT_TRUE(sentSince(profileSwitch("W") + queriesAndObjects("W") + profileSwitch(sj(L"ＴＶ"))));
  // The end of Windows allows no box: the name is checked and taken, the leave goes by it.
  open();
  toQualityPage();
  mark();
  chooseProfile("W");
  typeProfile(L"B", true, false);
  PostMessageW(bench.mainWindow(), WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(sentSince(profileSwitch("W") + queriesAndObjects("W") +
                        std::vector<std::string>{"cVCap loadFormat \"B\"", "cACap audioQualityName \"B\"",
                                                 "cComp compQualityName \"B\""} +
                        profileSwitch(sj(L"ＴＶ")) +
                        std::vector<std::string>{"mix getSysVolMute", "mix setMute ON", "clean filterSet",
                                                 "tune nukeWithoutNeeds cFg", "clean setMixer", "mix setSysVolMute",
                                                 "clean", "quit"}));
  EXPECT_FALSE(exists(L"W.video2"));
}

TEST_F(OptionsBench, QualityProfilesChosenRenamedAddedDeletedAndLeft) {
  for (const wchar_t* name : {L"A.video", L"A.audio", L"A.vCompress", L"Mpeg.video", L"W.video2", L"ＴＶ.video2"})
    bench.writeFile(name, {1});
  open();
  toQualityPage();
  auto items = profileItems();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items.back(), sj(L"ＴＶ"));  // appended: only a WDM file holds it
  EXPECT_EQ(profileText(), sj(L"ＴＶ"));

  mark();
  chooseProfile("A");
  ASSERT_TRUE(sentSince(profileSwitch("A") + queriesAndObjects("A")));

  // Refused renames ("w": the other driver's): the old name back, nothing sent, no file touched.
  mark();
  typeProfile(L"");
  EXPECT_EQ(profileText(), "A");
  const std::pair<const wchar_t*, std::wstring> refused[] = {
      {L"ＴＶ", L"「ＴＶ」の名前は変えられず、ほかの設定を「ＴＶ」にすることもできません。"},
      {L"mpeg", L"同じ名前の設定がすでにあります。"},
      {L"w", L"同じ名前の設定がすでにあります。"},
      {L"a*b", L"設定の名前に次の文字は使えません。\n\\ / : * ? \" < > |"},
      {L"nul.x", L"装置の名前（NUL、CON、COM1など）や、ファイルの場所が長くなりすぎる名前は、設定の名前に使えません。"}};
  for (const auto& [name, message] : refused) {
    typeProfile(name, false);
    EXPECT_EQ(answerBox(), message);
    EXPECT_EQ(profileText(), "A");
  }
  EXPECT_TRUE(sentSince({}));
  EXPECT_TRUE(exists(L"A.video") && exists(L"A.audio") && exists(L"A.vCompress"));

  // The rename: the old files go once the lines queued before are answered (a switch's may still
  // load them), the engine objects take the new name.
  mark();
  bench.holdAcknowledgements();
  SendMessageW(GetDlgItem(page1, 7), BM_CLICK, 0, 0);
  typeProfile(L"B");
  EXPECT_TRUE(exists(L"A.video") && exists(L"A.audio") && exists(L"A.vCompress"));
  bench.releaseAcknowledgements();
  ASSERT_TRUE(sentSince({"form", "cACap audioDialog form", "cVCap loadFormat \"B\"", "cACap audioQualityName \"B\"",
                         "cComp compQualityName \"B\""}));
  EXPECT_FALSE(exists(L"A.video") || exists(L"A.audio") || exists(L"A.vCompress"));
  EXPECT_TRUE(exists(L"Mpeg.video") && exists(L"W.video2"));
  EXPECT_EQ(profileText(), "B");

  // The built-in cannot be renamed either.
  chooseProfile(sj(L"ＴＶ"));
  Sleep(200);
  mark();
  typeProfile(L"X", false);
  EXPECT_EQ(answerBox(), refused[0].second);
  EXPECT_EQ(profileText(), sj(L"ＴＶ"));
  EXPECT_EQ(clickAnswering(GetDlgItem(page1, 3)), L"「ＴＶ」は削除できません。");
  EXPECT_TRUE(sentSince({}));

  // Three additions, each a copy of the format in use, none by a name the other driver's files hold.
  bench.writeFile(L"新規の設定.video2", {1});
  mark();
  std::vector<std::string> added;
  for (const wchar_t* name : {L"新規の設定(1)", L"新規の設定(2)", L"新規の設定(3)"}) {
    SendMessageW(GetDlgItem(page1, 2), BM_CLICK, 0, 0);
    const auto objects = queriesAndObjects(sj(name));
    added = added + std::vector<std::string>{"cVCap saveFormat", "clean compSetStart",
                                             "cVCap loadFormat \"" + sj(name) + "\""} +
            std::vector<std::string>(objects.begin() + 3, objects.end());
  }
  ASSERT_TRUE(sentSince(added));
  EXPECT_EQ(profileItems().size(), 6u);

  // Deleting "B": the switch to the built-in first, then the engine deletes its files.
  chooseProfile("B");
  Sleep(300);
  mark();
  SendMessageW(GetDlgItem(page1, 3), BM_CLICK, 0, 0);
  ASSERT_TRUE(sentSince(profileSwitch(sj(L"ＴＶ")) + queriesAndObjects(sj(L"ＴＶ")) +
                        std::vector<std::string>{"cVCap deleteVideo \"B\"", "cACap deleteAudio \"B\"",
                                                 "cComp deleteComp \"B\""}));
  EXPECT_EQ(profileText(), sj(L"ＴＶ"));

  // The compressor list: filled and selected by the engine without an echo, picked by name.
  std::vector<uint8_t> names = nameBlock({"Cinepak", "MS Video 1"});
  mark();
  bench.engineSends(tvr::CD_COMPNAMES, names);
  bench.enginePosts(tvr::TVR_COMPINDEX, 1, 0);
  ASSERT_TRUE(e2e::pollUntil([&] { return SendMessageW(GetDlgItem(page1, 5), CB_GETCURSEL, 0, 0) == 1; }, 5000));
  choose(page1, 5, 0);
  ASSERT_TRUE(sentSince({"cComp setCompKind \"Cinepak\""}));

  // The format change and its end with the frame rate asked (VfW).
  chooseProfile("Mpeg");
  Sleep(300);
  mark();
  SendMessageW(GetDlgItem(page1, 4), BM_CLICK, 0, 0);
  const std::vector<std::string> formatChange = {
      "mix getSysVolMute", "mix setMute ON", "clean filterSet", "tune nukeWithoutNeeds cFg", "preView2a.cmd",
      "cVCap loadFormat \"Mpeg\"", "form", "width", "height", "cCapBuild setViewWin form width height", "form",
      "cVCap videoDialog Format form"};
  const auto back = std::vector<std::string>{"preView2b.cmd", "mix setSysVolMute"} + queriesAndObjects("Mpeg") +
                    std::vector<std::string>{"tune setCh"};
  ASSERT_TRUE(sentSince(formatChange));
  // Until its end the page's controls are off and do nothing: "追加", "削除", the change again, a profile.
  EXPECT_EQ(pageLive(), "0000000");
  for (int button : {2, 3, 4}) SendMessageW(GetDlgItem(page1, button), BM_CLICK, 0, 0);
  choose(page1, 1, 0);
  const double rate = 29.97;
  uint64_t bits;
  memcpy(&bits, &rate, 8);
  bench.enginePosts(tvr::TVR_FRAMERATE, bits & 0xFFFFFFFF, static_cast<int64_t>(bits >> 32));
  bench.enginePosts(tvr::TVR_FORMATDONE, 1, 0);  // not the format dialog's
  HWND frameRate = nullptr;
  bench.enginePosts(tvr::TVR_FORMATDONE, 2, 0);
  ASSERT_TRUE(e2e::pollUntil([&] { return (frameRate = bench.findWindow(bench.process(), L"TFormFRate")) != nullptr; },
                             5000));
  wchar_t shown[32] = {};
  GetDlgItemTextW(frameRate, 2, shown, 32);
  EXPECT_STREQ(shown, L"29.97");
  SendMessageW(GetDlgItem(frameRate, 4), BM_CLICK, 0, 0);
  ASSERT_TRUE(sentSince(formatChange + std::vector<std::string>{"cVCap setFrameRate 29.97"} + back));
  EXPECT_EQ(pageLive(), "1111111");

  // The page left while the format dialog is open: the preview and the sound come back first,
  // and that dialog's end is no longer taken.
  mark();
  SendMessageW(GetDlgItem(page1, 4), BM_CLICK, 0, 0);
  nextPage();
  bench.enginePosts(tvr::TVR_FORMATDONE, 2, 0);
  ASSERT_TRUE(sentSince(formatChange + back + profileSwitch(sj(L"ＴＶ"))));
  mark();
  nextPage(VK_LEFT);
  chooseProfile("Mpeg");
  ASSERT_TRUE(sentSince(queriesAndObjects(sj(L"ＴＶ")) + profileSwitch("Mpeg") + queriesAndObjects("Mpeg")));

  // Closed (as a reservation closes it) while the frame rate is asked: the rate is dropped and
  // the preview comes back before the built-in; no channel edit, no save.
  mark();
  SendMessageW(GetDlgItem(page1, 4), BM_CLICK, 0, 0);
  bench.enginePosts(tvr::TVR_FORMATDONE, 2, 0);
  ASSERT_TRUE(e2e::pollUntil([&] { return bench.findWindow(bench.process(), L"TFormFRate") != nullptr; }, 5000));
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(e2e::pollUntil([&] { return !IsWindow(dialog); }, 5000));
  EXPECT_TRUE(sentSince(formatChange + back + profileSwitch(sj(L"ＴＶ"))));
}
