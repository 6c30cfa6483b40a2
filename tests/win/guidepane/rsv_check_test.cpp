// TForm4 under Wine through its modal loop: a good and a short TvTuner.dat, the checks, the three
// answers, the hand-off to planbook started, running, hung, slow, missing and without a window.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "common/tuner_file.h"
#include "forms_fixture.h"
#include "guidepane/win/rsv_check_form.h"
#include "harness.h"
#include "planbookstub_control.h"

namespace {

constexpr double kStart = 46001.875;  // 2025-12-10 (Wednesday) 21:00; 22:30 is .9375

HWND planbook() { return FindWindowW(L"TForm1", L"番組の予約"); }
void endPlanbook() { for (int i = 0; i < 100 && planbook(); ++i, Sleep(50)) PostMessageW(planbook(), WM_CLOSE, 0, 0); }
HWND item(HWND form, int id) { return GetDlgItem(form, id); }
void setEnd(HWND form, int hour, int minute) {
  SYSTEMTIME t{2025, 12, 3, 10, static_cast<WORD>(hour), static_cast<WORD>(minute), 0, 0};
  SendMessageW(item(form, TForm4::DateTimePicker4), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
}
void select(HWND form, int index) { SendMessageW(item(form, TForm4::ComboBox1), CB_SETCURSEL, index, 0); }
void press(HWND form, int id) { SendMessageW(item(form, id), BM_CLICK, 0, 0); }
std::string blockLine(HWND from, const char* hex) { return std::to_string(uintptr_t(from)) + " 0 " + hex; }

const std::wstring kQuestion =
    L"予約内容確認|クリックされたチャンネルと、以前に登録されたチャンネルが一致しません。\n"
    L"次回から現在のチャンネル設定を選択するようにしますか。|123";
const std::wstring kGuide = L"電子番組表|";

struct RsvCheck : ::testing::Test {
  RsvCheck() { winui::setDialogSeam(&seam), endPlanbook(); }
  ~RsvCheck() override { winui::setDialogSeam(nullptr), endPlanbook(); }
  // A folder with a channel table of three channels, and planbook there when asked.
  std::wstring folder(const std::wstring& name, bool withPlanbook) {
    const std::wstring f = scratchFolder(name);
    tavora::TunerFile table;
    table.entries = {{1, 1, cp932(L"ＮＨＫ総合")}, {3, 3, "TBS"}, {65535, -1, cp932(L"ビデオ")}};
    const std::vector<uint8_t> bytes = tavora::buildTunerDat(table);
    writeText(f + L"TvTuner.dat", {bytes.begin(), bytes.end()});
    if (withPlanbook) std::filesystem::copy_file(e2e::programFolder() + L"planbook.exe", f + L"planbook.exe");
    return f;
  }
  int show(TForm4& form, std::function<void(HWND)> step) {
    ModalScript::arm(L"TForm4", std::move(step));
    return form.showReservation(fields);
  }
  AnsweringSeam seam;
  guide::ProgramFields fields{kStart, 46001.9375, "NHK", "ABC", "sub", "line 1\nline 2"};
};

TEST_F(RsvCheck, ChecksRemembersAndHandsOnToAStartedThenARunningPlanbook) {
  const std::wstring f = folder(L"good", true), log = f + L"planbook.log";
  defFile settings(cp932(f + L"guidepane.dat"), {});
  TForm4 form(nullptr, settings, cp932(f));
  EXPECT_EQ(form.noChannelTable() ? std::vector<std::string>{} : form.channelNames(),
            (std::vector<std::string>{cp932(L"ＮＨＫ総合"), "TBS", cp932(L"ビデオ")}));
  EXPECT_EQ(GetWindowLongPtrW(form.handle(), GWL_STYLE) & (WS_SYSMENU | WS_THICKFRAME | WS_CAPTION) |
                (GetWindowLongPtrW(form.handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW),
            WS_THICKFRAME | WS_CAPTION | WS_EX_TOOLWINDOW);

  // A first-time station: the hint, then each check in its order, then the hand-off.
  Log shown;
  EXPECT_EQ(show(form, [&](HWND w) {
              shown = {textOf(w), winui::widen(form.channelText())};
              for (int id : {TForm4::Label01, TForm4::Edit2, TForm4::Memo1, TForm4::Button1, TForm4::Button2})
                shown.push_back(textOf(item(w, id)));
              press(w, TForm4::Button1);  // no channel
              setEnd(w, 20, 59);
              press(w, TForm4::Button1);  // end before start comes first
              setEnd(w, 22, 30);
              select(w, 0);
              SetWindowTextW(item(w, TForm4::Edit1), L"");
              press(w, TForm4::Button1);  // no title
              SetWindowTextW(item(w, TForm4::Edit1), L"ABC");
              press(w, TForm4::Button1);
            }),
            IDOK);
  EXPECT_EQ(shown, (Log{L"予約内容の確認", L"[NHK]を選択してください", L"(水)", L"sub", L"line 1\r\nline 2",
                        L"予約登録", L"キャンセル"}));
  EXPECT_EQ(seam.boxes, (Log{kGuide + L"初めて予約するチャンネルです。\nチャンネル欄からチャンネルを選んでください。\n"
                                      L"次回からは自動的にチャンネルが選択されます。|0",
                             L"予約内容エラー|チャンネルを選択しなければ予約登録できません。|30",
                             L"予約内容エラー|終了時間が開始時間より前です。\n設定をやり直してください。|30",
                             L"予約内容エラー|番組名を入力しなければ予約登録できません。\n"
                             L"番組名が録画ファイル名として使用されます。|30"}));
  EXPECT_EQ(settings.channelOf("NHK"), 0);
  ASSERT_TRUE(planbook());
  EXPECT_EQ(readLines(log), (std::vector<std::string>{blockLine(
                                form.handle(), "24000000" "20000000" "000000003c76e640" "000000003e76e640"
                                               "00000000" "00000000" "41424300")}));

  // Known now: pre-selected. Another channel: Cancel keeps it open and sends nothing, No sends
  // without remembering; start equal to end is accepted. "キャンセル" sends nothing.
  seam.boxes.clear();
  seam.answers = {IDCANCEL, IDNO};
  fields.end = kStart;
  fields.title = cp932(L"番組");
  Log during;
  EXPECT_EQ(show(form, [&](HWND w) {
              during.push_back(winui::widen(form.channelText()));
              select(w, 1);
              press(w, TForm4::Button1);
              during.push_back(std::to_wstring(readLines(log).size()) + std::to_wstring(form.showReservation(fields)));
              press(w, TForm4::Button1);
            }),
            IDOK);
  EXPECT_EQ(show(form, [](HWND w) { press(w, TForm4::Button2); }), IDCANCEL);
  EXPECT_EQ(during, (Log{L"ＮＨＫ総合", L"10"}));  // no second showing while it is open
  EXPECT_EQ(seam.boxes, (Log{kQuestion, kQuestion}));
  EXPECT_EQ(settings.channelOf("NHK"), 0);
  EXPECT_EQ(readLines(log).back(), blockLine(form.handle(), "25000000" "20000000" "000000003c76e640"
                                                            "000000003c76e640" "01000000" "00000000" "94d4916700"));

  // Not answering at all: nothing is sent and the dialog stays open (Yes remembered the choice).
  // Slow on the block, longer than the wait for an answer but not hung: it goes out, and Windows
  // waits for the answer; Wine ignores SMTO_NOTIMEOUTIFNOTHUNG, so there the user is told it is
  // unconfirmed.
  seam.boxes.clear();
  seam.answers = {IDYES};
  form.setPlanbookWait({10000, 50, 300});
  for (LPARAM slowOnBlock : {0, 1}) {
    PostMessageW(planbook(), planbookstub::kStopAnswering, 1500, slowOnBlock);
    Sleep(100);
    EXPECT_EQ(show(form, [&](HWND w) {
                select(w, 2);
                press(w, TForm4::Button1);
                if (!slowOnBlock) press(w, TForm4::Button2);
              }),
              slowOnBlock ? IDOK : IDCANCEL);
    EXPECT_TRUE(SendMessageTimeoutW(planbook(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr));  // awake again
  }
  Log expected{kQuestion, kGuide + L"予約プログラム planbook が応答しません。\n予約はまだ登録されていません。"
                                   L"しばらくしてからもう一度登録してください。|10"};
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
    expected.push_back(kGuide + L"planbook から応答がなく、予約が登録されたか確認できませんでした。\n"
                                L"planbook の予約一覧を確かめてください。|30");
  EXPECT_EQ(seam.boxes, expected);
  EXPECT_EQ(settings.channelOf("NHK"), 2);
  EXPECT_EQ(readLines(log).size(), 3u);  // the late block arrived; none while planbook was hung
}

// Filled before it shows: the first-time hint holds the main window, not the hidden dialog.
TEST_F(RsvCheck, TheFirstTimeHintBeforeTheDialogShowsBelongsToItsOwner) {
  const std::wstring f = folder(L"owner", false);
  defFile settings(cp932(f + L"guidepane.dat"), {});
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  {
    TForm4 form(owner, settings, cp932(f));
    form.fill(fields);
  }
  EXPECT_EQ(seam.owners, std::vector<HWND>{owner});
  DestroyWindow(owner);
}

TEST_F(RsvCheck, WithoutPlanbookOrItsWindowTheDialogStaysOpenWithItsValues) {
  const std::wstring missing = folder(L"missing", false), windowless = folder(L"windowless", true);
  writeText(windowless + L"planbook.nowindow", "");
  for (const std::wstring& f : {missing, windowless}) {
    seam.boxes.clear();
    defFile settings(cp932(f + L"guidepane.dat"), {});
    settings.setChannel("NHK", 1);
    TForm4 form(nullptr, settings, cp932(f));
    Log after;
    EXPECT_EQ(show(form, [&](HWND w) {
                press(w, TForm4::Button1);
                after = {textOf(item(w, TForm4::Edit1)), winui::widen(form.channelText()),
                         IsWindowEnabled(item(w, TForm4::Button1)) ? L"enabled" : L"disabled"};
                press(w, TForm4::Button2);
              }),
              IDCANCEL);
    EXPECT_EQ(after, (Log{L"ABC", L"TBS", L"enabled"}));
    EXPECT_EQ(seam.boxes, (Log{kGuide + (f == missing ? L"予約プログラム planbook.exe を起動できませんでした。"
                                                      : L"予約プログラム planbook の画面が現れませんでした。") +
                               L"\n予約はまだ登録されていません。|10"}));
    EXPECT_FALSE(planbook());
  }

  // A short channel table: no list, and the capture refuses reservations.
  std::filesystem::resize_file(missing + L"TvTuner.dat", std::filesystem::file_size(missing + L"TvTuner.dat") - 2);
  defFile settings(cp932(missing + L"guidepane.dat"), {});
  TForm4 form(nullptr, settings, cp932(missing));
  EXPECT_TRUE(form.noChannelTable());
  EXPECT_EQ(SendMessageW(item(form.handle(), TForm4::ComboBox1), CB_GETCOUNT, 0, 0), 0);
}

}  // namespace
