// The options dialog's pages 2 to 4 end to end under Wine: the real recorder and the scripted
// engine stand-in; what the settings pages store reaches timerSetup.dat, capForm.dat and the
// next manual start, and the channel editor's edits reach the engine as whole sequences.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/messages.h"
#include "enginestub_control.h"
#include "recdesk/core/cap_form_file.h"
#include "recdesk/core/timer_ini.h"
#include "recdesk/win/channel_page.h"
#include "recdesk/win/manual_page.h"
#include "recdesk/win/reservation_page.h"
#include "recdesk_bench.h"

using e2e::RecdeskBench;
using enginestub::Actions;
using Lines = std::vector<std::string>;

namespace {

constexpr WPARAM kExit = 7, kOptions = 101;
constexpr int kClose = 2, kRecord = 4;
const std::string kAnt = "\x83\x41\x83\x93\x83\x65\x83\x69";   // アンテナ
const std::string kTv = "\x82\x73\x82\x75";                     // ＴＶ
const std::string kNewName = "\x90\x56\x8B\x4B\x83\x60\x83\x83\x83\x93\x83\x6C\x83\x8B";  // 新規チャンネル

// int32 head (left out when negative), int32 count, then the strings; count = strings / per.
std::vector<uint8_t> block(int32_t head, const Lines& strings, size_t per) {
  std::vector<uint8_t> out;
  auto i32 = [&](int32_t v) { for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i))); };
  if (head >= 0) i32(head);
  i32(static_cast<int32_t>(strings.size() / per));
  for (const std::string& s : strings) out.insert(out.end(), s.c_str(), s.c_str() + s.size() + 1);
  return out;
}

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<uint8_t> readFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  std::vector<uint8_t> data(1 << 16);
  DWORD got = 0;
  if (file != INVALID_HANDLE_VALUE) ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  data.resize(got);
  return data;
}

struct PagesBench : ::testing::Test {
  void SetUp() override { ASSERT_NE(view = bench.startWithView(), nullptr); }
  void mark() { bench.markRequests(); }
  Lines since() const { return bench.requestsSinceMark(); }
  // The requests since the mark are exactly these, and stay so a moment.
  ::testing::AssertionResult sentSince(const Lines& expected) {
    std::vector<std::string> got;
    const bool same = bench.sentSinceMark(expected, got);
    mark();
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "sent " << ::testing::PrintToString(got);
  }
  // Until no request has come for a while: what the last step queued has gone.
  void settle() const {
    size_t before = 0;
    do {
      before = bench.requestsWithoutViewSizing().size();
      Sleep(250);
    } while (bench.requestsWithoutViewSizing().size() != before);
  }
  // The next page by the tab strip's arrow key, as a user would go there.
  void nextPage(int index) {
    static const wchar_t* const kSheets[] = {L"TForm3TabSheet1", L"TForm3TabSheet2", L"TForm3TabSheet3",
                                             L"TForm3TabSheet6", L"TForm3TabSheet4"};
    static const wchar_t* const kPages[] = {L"", L"", L"TavoraReservationPage", L"TavoraManualPage",
                                            L"TavoraChannelPage"};
    PostMessageW(FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr), WM_KEYDOWN, VK_RIGHT, 0);
    HWND sheet = FindWindowExW(dialog, nullptr, kSheets[index], nullptr);
    ASSERT_TRUE(e2e::pollUntil([&] { return IsWindowVisible(sheet) != FALSE; }, 10000));
    page = FindWindowExW(sheet, nullptr, kPages[index], nullptr);
  }
  // Opens the dialog and goes to the page; the requests are marked before the last step.
  void openAt(int index) {
    bench.choose(view, kOptions);  // once the queue has drained, as the menu offers it only then
    ASSERT_TRUE(e2e::pollUntil([&] { return (dialog = bench.findWindow(bench.process(), L"TForm3")) != nullptr; },
                               10000));
    for (int i = 1; i <= index; ++i) {
      if (i == index) {
        settle();
        mark();
      }
      nextPage(i);
    }
    ASSERT_NE(page, nullptr);
  }
  void closeDialog() {
    SendMessageW(GetDlgItem(dialog, kClose), BM_CLICK, 0, 0);
    ASSERT_TRUE(e2e::pollUntil([&] { return !IsWindow(dialog); }, 10000));
  }
  HWND control(int id) const { return GetDlgItem(page, id); }
  void type(int id, const wchar_t* text) const { SendMessageW(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
  std::wstring textOf(int id) const {
    wchar_t text[256] = {};
    SendMessageW(control(id), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
  }
  void click(int id) const { SendMessageW(control(id), BM_CLICK, 0, 0); }
  void key(int id, WPARAM key) const { SendMessageW(control(id), WM_KEYDOWN, key, 0); }
  // A tree item's text, read through memory of the recorder's own.
  std::wstring itemText(HWND tree, LPARAM item) const {
    HANDLE process = bench.process();
    auto* remote = static_cast<uint8_t*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    TVITEMW request{};
    request.mask = TVIF_TEXT;
    request.hItem = reinterpret_cast<HTREEITEM>(item);
    request.pszText = reinterpret_cast<wchar_t*>(remote + 1024);
    request.cchTextMax = 256;
    wchar_t text[256] = {};
    WriteProcessMemory(process, remote, &request, sizeof request, nullptr);
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote + 1024, text, sizeof text - sizeof(wchar_t), nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text;
  }

  RecdeskBench bench;
  HWND view = nullptr, dialog = nullptr, page = nullptr;
};

}  // namespace

TEST_F(PagesBench, TheSettingsPagesReachTheFilesAndTheNextManualStartAndSendNothing) {
  openAt(2);
  settle();
  mark();
  using R = ReservationPage;
  type(R::Edit2, L"0");
  EXPECT_EQ(textOf(R::Edit2), L"90");
  type(R::Edit2, L"120");
  type(R::Edit3, L"65536");  // would store 0
  EXPECT_EQ(textOf(R::Edit3), L"180");
  type(R::Edit4, L"nan");
  EXPECT_EQ(textOf(R::Edit4), L"0");
  type(R::Edit4, L"30");
  type(R::Edit12, L"45");
  click(R::CheckBox5);
  click(R::CheckBox2);
  EXPECT_EQ(textOf(R::Edit5), L"右のボタンを押して、場所を指定してください");
  click(R::CheckBox2);
  // The picker, rooted at My Computer: C: opened as a user opens it, and the folder chosen.
  const std::wstring folder = L"C:\\tvrec表";
  CreateDirectoryW(folder.c_str(), nullptr);
  PostMessageW(control(R::Button11), BM_CLICK, 0, 0);
  HWND picker = nullptr;
  ASSERT_TRUE(e2e::pollUntil([&] { return (picker = bench.findBox(bench.process())) != nullptr; }, 10000));
  HWND tree = FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr);
  LPARAM driveC = 0, chosen = 0;
  ASSERT_TRUE(e2e::pollUntil([&] {
    return (driveC = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
  }, 5000));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, driveC);
  SendMessageW(tree, WM_KEYDOWN, VK_RIGHT, 0);
  ASSERT_TRUE(e2e::pollUntil([&] {
    for (LPARAM item = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, driveC); item && !chosen;
         item = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, item))
      if (itemText(tree, item) == L"tvrec表") chosen = item;
    return chosen != 0;
  }, 5000));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, chosen);
  SendMessageW(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(e2e::pollUntil([&] { return textOf(R::Edit6) == folder + L"\\"; }, 5000)) << textOf(R::Edit6);
  RemoveDirectoryW(folder.c_str());
  nextPage(3);
  using M = ManualPage;
  EXPECT_EQ(textOf(M::ComboBox4), L"ＴＶ");  // no profile files: the built-in one
  click(M::RadioGroup1 + 1);                 // wait and ask
  type(M::Edit11, L"C:\\rec\\a\"b.AVI");
  EXPECT_EQ(textOf(M::Edit11), L"C:\\AVCapture.AVI");
  type(M::Edit11, L"C:\\rec\\man.AVI");
  click(M::CheckBox4);
  closeDialog();
  EXPECT_TRUE(sentSince({}));
  // The record button now prepares with the manual file and asks first.
  HWND panel = FindWindowExW(view, nullptr, L"TavoraControlPanel", nullptr);
  PostMessageW(GetDlgItem(panel, kRecord), BM_CLICK, 0, 0);
  HWND box = nullptr;
  ASSERT_TRUE(e2e::pollUntil([&] { return (box = bench.findBox(bench.process())) != nullptr; }, 10000));
  const std::string tv = "\"" + kTv + "\"";
  EXPECT_TRUE(sentSince({"mix getSysVolMute", "mix setMute ON", "clean filterSet", "tune nukeWithoutNeeds cFg",
                         "record1a.cmd", "cVCap loadFormat " + tv, "cACap create " + tv, "cComp create " + tv,
                         "cCapBuild setFName \"C:\\rec\\man.AVI\" 0", "form", "width", "height", "record1b.cmd",
                         "cCapBuild renderPreview cVCap", "record1c.cmd", "mix setSysVolMute"}));
  PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(bench.waitForRequest("preView3.cmd"));
  bench.choose(bench.mainWindow(), kExit);  // offered once the queue has drained
  ASSERT_TRUE(bench.waitForExit(bench.process(), 15000));
  CapFormFile capForm;
  const auto capBytes = readFile(bench.folder() + L"capForm.dat");
  capForm.decode(capBytes);
  EXPECT_EQ(capForm.viewSettings.confirmBeforeRecording, 1);
  EXPECT_EQ(std::string(capBytes.begin() + 44, capBytes.end()), kTv + '\0' + "C:\\rec\\man.AVI" + '\0');
  timerIni timer;
  const auto timerBytes = readFile(bench.folder() + L"timerSetup.dat");
  timer.decode(timerBytes);
  EXPECT_EQ(timer.noticeSeconds, 120);
  EXPECT_EQ(timer.wakeLeadSeconds, 180);
  EXPECT_DOUBLE_EQ(timer.earlyStart, -30.0 / 86400);
  EXPECT_EQ(timer.powerOffCountdown, 45);
  EXPECT_EQ(timer.beepOnNotice, 0);
  EXPECT_EQ(timer.stopManualForReservation, 1);
  EXPECT_EQ(std::string(timerBytes.begin() + 88, timerBytes.end()), std::string("@\0C:\\tvrec\x95\x5c\\\0", 14));
}

TEST_F(PagesBench, TheChannelEditorsLinesAndTheSaveOnlyAfterAnEdit) {
  const Lines rows = {"NHK", "1", "1", kAnt, "ETV", "2", "2", kAnt, "Composit", "C", "Composit", kAnt,
                      "TBS", "6", "6", kAnt, "CX", "8", "8", kAnt};
  bench.onRequest("tune prChannelToListview", Actions().send(tvr::CD_CHLIST, block(0, rows, 4)));
  bench.onRequest("tune setSelChCombo ANT", Actions().send(tvr::CD_FREECHANNELS, block(0, {"1", "3", "4", "5"}, 1)));
  bench.onRequest("tune addChToList 0 \"" + kNewName + "\" 1 ANT",
                  Actions().send(tvr::CD_CHNUMBERS, block(-1, {"3", "4", "5"}, 1)).post("", tvr::TVR_CHADDED, 0, 0));
  const Lines tuneRow0 = {"mix setMute ON", "tune setCh 1", "tune setSelChCombo ANT"};
  // Selecting rows alone: Composite tuned by its key, and no save at the close.
  openAt(4);
  Lines expected = {"tune prChannelToListview"};
  expected.insert(expected.end(), tuneRow0.begin(), tuneRow0.end());
  ASSERT_TRUE(sentSince(expected));
  using C = ChannelPage;
  key(C::ListView1, VK_DOWN);
  key(C::ListView1, VK_DOWN);
  EXPECT_TRUE(IsWindowEnabled(control(C::Button17)));
  EXPECT_FALSE(IsWindowEnabled(control(C::Button18)));
  EXPECT_TRUE(sentSince({"mix setMute ON", "tune setCh 2", "tune setSelChCombo ANT", "mix setMute ON",
                         "tune setCh 65535"}));
  closeDialog();
  EXPECT_TRUE(sentSince({}));
  // The list is asked again by the next dialog; its edits are saved at its close.
  openAt(4);
  ASSERT_TRUE(sentSince(expected));
  key(C::ListView1, VK_END);
  click(C::Button18);  // the last of five: row 3 is selected and tuned
  type(C::Edit9, L"70");  // outside 1-62: the old value back, nothing sent
  EXPECT_EQ(textOf(C::Edit9), L"6");
  type(C::Edit9, L"40");
  EXPECT_TRUE(sentSince({"mix setMute ON", "tune setCh 8", "tune setSelChCombo ANT", "tune delChFromList 4",
                         "mix setMute ON", "tune setCh 6", "tune setSelChCombo ANT",
                         "tune changeChValue 3 \"TBS\" 6 40 ANT", "mix setMute ON", "tune setCh"}));
  click(C::Button12);  // "上へ" on row 3
  key(C::ListView1, VK_HOME);
  click(C::Button17);  // "新規" on row 0
  EXPECT_TRUE(sentSince({"tune chIndexToUpper 3", "mix setMute ON", "tune setCh 1", "tune setSelChCombo ANT",
                         "tune addChToList 0 \"" + kNewName + "\" 1 ANT",
                         "tune changeChValue 0 \"" + kNewName + "\" 3 1 ANT"}));
  EXPECT_EQ(ListView_GetItemCount(control(C::ListView1)), 5);
  click(C::Button23);  // the scan refills the list
  Lines scan = {"mix setMute ON", "tune searchChannel ANT", "tune prChannelToListview", "mix setMute OFF"};
  scan.insert(scan.end(), tuneRow0.begin(), tuneRow0.end());
  EXPECT_TRUE(sentSince(scan));
  closeDialog();
  EXPECT_TRUE(sentSince({"tune saveTunerDat"}));

  // A new row's key, named by the engine before it tunes the entry, goes to that row wherever
  // clicks during the tuning moved it, and to no other; the placeholder "1" is never sent.
  const std::string add0 = "tune addChToList 0 \"" + kNewName + "\" 1 ANT", add1 = "tune addChToList 1" + add0.substr(18);
  for (const std::string& add : {add0, add1}) bench.onRequest(add, Actions().send(tvr::CD_CHNUMBERS, block(-1, {"4", "5"}, 1)));
  auto added = [&](auto duringTuning) {
    bench.holdAcknowledgements();
    click(C::Button17);
    ASSERT_TRUE(e2e::pollUntil([&] { return SendMessageW(control(C::ComboBox5), CB_GETCOUNT, 0, 0) == 2; }, 5000));
    duringTuning();
    bench.enginePosts(tvr::TVR_CHADDED, 0, 0);
    bench.releaseAcknowledgements();
  };
  auto reopen = [&] { return openAt(4), sentSince(expected); };
  ASSERT_TRUE(reopen());
  added([&] { click(C::Button18); });
  EXPECT_TRUE(sentSince({add0, "tune delChFromList 0", "mix setMute ON", "tune setCh 1", "tune setSelChCombo ANT"}));
  added([&] { key(C::ListView1, VK_DOWN), click(C::Button12); });
  EXPECT_TRUE(sentSince({add0, "mix setMute ON", "tune setCh 1", "tune setSelChCombo ANT", "tune chIndexToUpper 1",
                         "tune changeChValue 1 \"" + kNewName + "\" 4 1 ANT"}));
  // Closed during the tuning, the name typed goes with the key.
  added([&] { type(C::Edit7, L"BS"), closeDialog(); });
  EXPECT_TRUE(sentSince({add0, "tune changeChValue 0 \"BS\" 4 1 ANT", "tune saveTunerDat"}));
  // Closed before the engine has taken the request: the close waits for the key.
  ASSERT_TRUE(reopen());
  bench.holdAcknowledgements();
  key(C::ListView1, VK_DOWN);
  click(C::Button17);
  type(C::Edit7, L"BS");
  PostMessageW(GetDlgItem(dialog, kClose), BM_CLICK, 0, 0);
  settle();
  EXPECT_TRUE(IsWindowVisible(dialog));
  bench.releaseAcknowledgements();
  ASSERT_TRUE(e2e::pollUntil([&] { return !IsWindow(dialog); }, 10000));
  EXPECT_TRUE(sentSince({"mix setMute ON", "tune setCh 2", "tune setSelChCombo ANT", add1,
                         "tune changeChValue 1 \"BS\" 4 1 ANT", "tune saveTunerDat"}));
  // The end of Windows closes the dialog as a reservation does: the name typed and the save
  // go before the view's close and "quit".
  bench.onRequest(add1, Actions().send(tvr::CD_CHNUMBERS, block(-1, {"4", "5"}, 1)).post("", tvr::TVR_CHADDED, 0, 0));
  ASSERT_TRUE(reopen());
  bench.holdAcknowledgements(), key(C::ListView1, VK_DOWN), click(C::Button17), key(C::ListView1, VK_DOWN);
  key(C::ListView1, VK_UP), bench.releaseAcknowledgements();  // the new row, still keyless
  const Lines etv = {"mix setMute ON", "tune setCh 2", "tune setSelChCombo ANT"};
  EXPECT_TRUE(sentSince(etv + Lines{add1} + etv + Lines{"tune changeChValue 1 \"" + kNewName + "\" 4 1 ANT",
                                                        "mix setMute ON", "tune setCh 4", "tune setSelChCombo ANT"}));
  type(C::Edit7, L"BS");
  PostMessageW(bench.mainWindow(), WM_ENDSESSION, TRUE, 0);
  ASSERT_TRUE(bench.waitForRequest("quit"));
  EXPECT_TRUE(sentSince({"tune changeChValue 1 \"BS\" 4 1 ANT", "tune saveTunerDat", "mix getSysVolMute",
                         "mix setMute ON", "clean filterSet", "tune nukeWithoutNeeds cFg", "clean setMixer",
                         "mix setSysVolMute", "clean", "quit"}));
}
