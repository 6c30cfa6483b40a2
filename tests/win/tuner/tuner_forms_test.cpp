// The scan question and the progress window as real windows under Wine: their texts, the
// answers of each way of closing the question, and the progress window's frame.
#include <gtest/gtest.h>

#include "grabcore/win/form_tuner.h"
#include "modal_script.h"

#include <commctrl.h>

using Log = std::vector<std::wstring>;

namespace {

// Answers the question by acting on it from inside its modal loop.
int ask(void (*action)(HWND)) {
  ModalScript::arm(L"TFormAutoTune", action);
  return WinTunerDialogs().askScan();
}

HWND control(HWND form, const wchar_t* text) { return FindWindowExW(form, nullptr, L"BUTTON", text); }
void click(HWND form, const wchar_t* text) { SendMessageW(control(form, text), BM_CLICK, 0, 0); }

}  // namespace

TEST(AutoTuneForm, ShowsItsTextsAndEachWayOfClosingItGivesItsAnswer) {
  EXPECT_EQ(ask([](HWND form) { click(form, L"はい　(&Y)"); }), kScanAntenna);
  EXPECT_EQ(ModalScript::texts,
            (Log{L"Tavora", L"チャンネルの設定がされていませんが、\r\n自動スキャンを行いますか", L"スキャンする入力",
                 L"アンテナ", L"ケーブル", L"はい　(&Y)", L"いいえ (&N)"}));
  const std::pair<void (*)(HWND), int> cases[] = {
      {[](HWND form) { click(form, L"ケーブル"); click(form, L"はい　(&Y)"); }, kScanCable},
      {[](HWND form) { click(form, L"いいえ (&N)"); }, kScanNone},
      {[](HWND form) { click(form, L"ケーブル"); PostMessageW(form, WM_KEYDOWN, VK_ESCAPE, 0); }, kScanNone},
      {[](HWND form) { PostMessageW(form, WM_CLOSE, 0, 0); }, kScanNone}};
  for (const auto& [action, answer] : cases) EXPECT_EQ(ask(action), answer) << answer;
  EXPECT_EQ(ask([](HWND) { PostQuitMessage(0); }), kScanEnded);  // the program's end is no answer
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_FALSE(FindWindowW(L"TFormAutoTune", nullptr));
}

TEST(WaitForm, AFrameWithoutIconsShowingTheChannelTriedAndGoneAfterward) {
  {
    std::unique_ptr<ScanProgress> progress = WinTunerDialogs().openProgress("scan");
    HWND form = FindWindowW(L"TFormWait", L"scan");
    ASSERT_TRUE(form);
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_FALSE(GetWindowLongPtrW(form, GWL_STYLE) & WS_SYSMENU);
    EXPECT_TRUE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 257);
    EXPECT_EQ(client.bottom, 30);
    HWND bar = FindWindowExW(form, nullptr, PROGRESS_CLASSW, nullptr);
    ASSERT_TRUE(bar);
    progress->setMaximum(62);
    progress->setPosition(12);
    progress->setCaption("scan 12CH");
    progress->pump();
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 62);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 12);
    SendMessageW(form, WM_CLOSE, 0, 0);  // the user cannot close it
    EXPECT_TRUE(FindWindowW(L"TFormWait", L"scan 12CH"));
  }
  EXPECT_FALSE(FindWindowW(L"TFormWait", nullptr));
}
