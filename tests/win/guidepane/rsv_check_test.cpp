// The reservation check TForm4 under Wine, through its modal loop: the channel list from a good
// and a short TvTuner.dat, the checks, the station memory's three answers, and the hand-off to the
// planbook stand-in running, started, missing, without a window and not answering.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <functional>

#include "common/fileio.h"
#include "common/tuner_file.h"
#include "forms_fixture.h"
#include "guidepane/win/rsv_check_form.h"
#include "harness.h"
#include "planbookstub_control.h"
#include "winui/text.h"

namespace {

using Log = std::vector<std::wstring>;

constexpr double kStart = 46001.875;  // 2025-12-10 (Wednesday) 21:00
constexpr double kEnd = 46001.9375;   // 22:30

HWND planbook() { return FindWindowW(L"TForm1", L"番組の予約"); }

void endPlanbook() {
  for (int i = 0; i < 100 && planbook(); ++i) {
    PostMessageW(planbook(), WM_CLOSE, 0, 0);
    Sleep(50);
  }
}

void setTime(HWND form, int id, int hour, int minute) {
  SYSTEMTIME t{2025, 12, 3, 10, static_cast<WORD>(hour), static_cast<WORD>(minute), 0, 0};
  SendMessageW(GetDlgItem(form, id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
}
void select(HWND form, int index) { SendMessageW(GetDlgItem(form, TForm4::ComboBox1), CB_SETCURSEL, index, 0); }
void setTitle(HWND form, const wchar_t* title) { SetWindowTextW(GetDlgItem(form, TForm4::Edit1), title); }
void press(HWND form, int id) { SendMessageW(GetDlgItem(form, id), BM_CLICK, 0, 0); }

std::string hexOf(HWND window) {
  char text[32];
  snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
  return text;
}

struct RsvCheck : ::testing::Test {
  RsvCheck() {
    winui::setDialogSeam(&seam);
    endPlanbook();
  }
  ~RsvCheck() override {
    winui::setDialogSeam(nullptr);
    endPlanbook();
  }

  // A folder with a channel table of three channels, and planbook there when asked.
  std::wstring folder(const std::wstring& name, bool withPlanbook) {
    const std::wstring f = scratchFolder(name);
    tavora::TunerFile table;
    table.entries = {{1, 1, cp932(L"ＮＨＫ総合")}, {3, 3, "TBS"}, {65535, -1, cp932(L"ビデオ")}};
    writeBytes(f + L"TvTuner.dat", tavora::buildTunerDat(table));
    if (withPlanbook) std::filesystem::copy_file(e2e::programFolder() + L"planbook.exe", f + L"planbook.exe");
    return f;
  }

  // Shows the dialog with the fields; step acts on it from inside its modal loop.
  int show(TForm4& form, const guide::ProgramFields& fields, std::function<void(HWND)> step) {
    ModalScript::arm(L"TForm4", std::move(step));
    return form.showReservation(fields);
  }

  AnsweringSeam seam;
  guide::ProgramFields fields{kStart, kEnd, "NHK", "ABC", "sub", "line 1\nline 2"};
};

const wchar_t kError[] = L"予約内容エラー|";

TEST_F(RsvCheck, ChecksRemembersAndHandsOnToAStartedThenARunningPlanbook) {
  const std::wstring f = folder(L"good", true);
  defFile settings(cp932(f + L"guidepane.dat"), {});
  TForm4 form(nullptr, settings, cp932(f));
  EXPECT_FALSE(form.noChannelTable());
  EXPECT_EQ(form.channelNames(), (std::vector<std::string>{cp932(L"ＮＨＫ総合"), "TBS", cp932(L"ビデオ")}));
  const LONG_PTR style = GetWindowLongPtrW(form.handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_CAPTION), WS_THICKFRAME | WS_CAPTION);
  EXPECT_TRUE(GetWindowLongPtrW(form.handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

  // A first-time station: the hint, then each check in its order, then the hand-off.
  Log shown;
  const int first = show(form, fields, [&](HWND w) {
    shown = {textOf(w), winui::widen(form.channelText()), textOf(GetDlgItem(w, TForm4::Label01)),
             textOf(GetDlgItem(w, TForm4::Edit2)), textOf(GetDlgItem(w, TForm4::Memo1)),
             textOf(GetDlgItem(w, TForm4::Button1)), textOf(GetDlgItem(w, TForm4::Button2))};
    press(w, TForm4::Button1);  // no channel
    setTime(w, TForm4::DateTimePicker4, 20, 59);
    press(w, TForm4::Button1);  // end before start comes first
    setTime(w, TForm4::DateTimePicker4, 22, 30);
    select(w, 0);
    setTitle(w, L"");
    press(w, TForm4::Button1);  // no title
    setTitle(w, L"ABC");
    press(w, TForm4::Button1);
  });
  EXPECT_EQ(first, IDOK);
  EXPECT_EQ(shown, (Log{L"予約内容の確認", L"[NHK]を選択してください", L"(水)", L"sub", L"line 1\r\nline 2",
                        L"予約登録", L"キャンセル"}));
  EXPECT_EQ(seam.boxes,
            (Log{L"電子番組表|初めて予約するチャンネルです。\nチャンネル欄からチャンネルを選んでください。\n"
                 L"次回からは自動的にチャンネルが選択されます。|0",
                 std::wstring(kError) + L"チャンネルを選択しなければ予約登録できません。|30",
                 std::wstring(kError) + L"終了時間が開始時間より前です。\n設定をやり直してください。|30",
                 std::wstring(kError) +
                     L"番組名を入力しなければ予約登録できません。\n番組名が録画ファイル名として使用されます。|30"}));
  EXPECT_EQ(settings.channelOf("NHK"), 0);
  ASSERT_TRUE(planbook());
  const std::string from = hexOf(form.handle());
  EXPECT_EQ(readLines(f + L"planbook.log"),
            (std::vector<std::string>{from + " 0 24000000" "20000000" "000000003c76e640" "000000003e76e640"
                                             "00000000" "00000000" "41424300"}));

  // Known now: pre-selected. Another channel: Cancel keeps it open and sends nothing, No sends
  // without remembering; start equal to end is accepted.
  seam.boxes.clear();
  seam.answers = {IDCANCEL, IDNO};
  fields.end = kStart;
  fields.title = cp932(L"番組");
  int preselected = -2;
  size_t blocksAfterCancel = 0;
  const int second = show(form, fields, [&](HWND w) {
    preselected = static_cast<int>(SendMessageW(GetDlgItem(w, TForm4::ComboBox1), CB_GETCURSEL, 0, 0));
    select(w, 1);
    press(w, TForm4::Button1);
    blocksAfterCancel = readLines(f + L"planbook.log").size();
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(w, TForm4::Button1)));
    EXPECT_EQ(form.showReservation(fields), 0);  // no second showing while it is open
    press(w, TForm4::Button1);
  });
  EXPECT_EQ(second, IDOK);
  EXPECT_EQ(preselected, 0);
  EXPECT_EQ(blocksAfterCancel, 1u);
  const std::wstring question =
      L"予約内容確認|クリックされたチャンネルと、以前に登録されたチャンネルが一致しません。\n"
      L"次回から現在のチャンネル設定を選択するようにしますか。|123";
  EXPECT_EQ(seam.boxes, (Log{question, question}));
  EXPECT_EQ(settings.channelOf("NHK"), 0);
  EXPECT_EQ(readLines(f + L"planbook.log").back(), from + " 0 25000000" "20000000" "000000003c76e640"
                                                          "000000003c76e640" "01000000" "00000000" "94d4916700");

  // "キャンセル" sends nothing.
  EXPECT_EQ(show(form, fields, [](HWND w) { press(w, TForm4::Button2); }), IDCANCEL);
  EXPECT_EQ(readLines(f + L"planbook.log").size(), 2u);

  // Not answering at all: nothing is sent and the dialog stays open. Slow on the block: Yes
  // remembers, the block goes out and the user is told it is unconfirmed.
  seam.boxes.clear();
  seam.answers = {IDYES};
  form.setPlanbookWait({10000, 50, 300});
  for (LPARAM slowOnBlock : {0, 1}) {
    PostMessageW(planbook(), planbookstub::kStopAnswering, 1500, slowOnBlock);
    Sleep(100);
    const int result = show(form, fields, [&](HWND w) {
      select(w, 2);
      press(w, TForm4::Button1);
      if (!slowOnBlock) press(w, TForm4::Button2);
    });
    EXPECT_EQ(result, slowOnBlock ? IDOK : IDCANCEL);
    DWORD_PTR ignored;
    EXPECT_TRUE(SendMessageTimeoutW(planbook(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored));
  }
  EXPECT_EQ(seam.boxes, (Log{question, L"電子番組表|予約プログラム planbook が応答しません。\n予約はまだ登録されていません。"
                                       L"しばらくしてからもう一度登録してください。|10",
                             L"電子番組表|planbook から応答がなく、予約が登録されたか確認できませんでした。\n"
                             L"planbook の予約一覧を確かめてください。|30"}));
  EXPECT_EQ(settings.channelOf("NHK"), 2);
  // The late block still arrived; none came while planbook answered nothing.
  EXPECT_EQ(readLines(f + L"planbook.log").size(), 3u);
}

TEST_F(RsvCheck, WithoutPlanbookOrItsWindowTheDialogStaysOpenWithItsValues) {
  const std::wstring missing = folder(L"missing", false);
  const std::wstring windowless = folder(L"windowless", true);
  writeBytes(windowless + L"planbook.nowindow", {});
  for (const std::wstring& f : {missing, windowless}) {
    seam.boxes.clear();
    defFile settings(cp932(f + L"guidepane.dat"), {});
    settings.setChannel("NHK", 1);
    TForm4 form(nullptr, settings, cp932(f));
    Log after;
    const int result = show(form, fields, [&](HWND w) {
      press(w, TForm4::Button1);
      after = {textOf(GetDlgItem(w, TForm4::Edit1)), winui::widen(form.channelText()),
               IsWindowEnabled(GetDlgItem(w, TForm4::Button1)) ? L"enabled" : L"disabled"};
      press(w, TForm4::Button2);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(after, (Log{L"ABC", L"TBS", L"enabled"}));
    EXPECT_EQ(seam.boxes, (Log{f == missing ? L"電子番組表|予約プログラム planbook.exe を起動できませんでした。\n"
                                              L"予約はまだ登録されていません。|10"
                                            : L"電子番組表|予約プログラム planbook の画面が現れませんでした。\n"
                                              L"予約はまだ登録されていません。|10"}));
    EXPECT_FALSE(planbook());
  }
}

TEST_F(RsvCheck, AShortChannelTableGivesNoListAndNoReservations) {
  const std::wstring f = scratchFolder(L"short");
  tavora::TunerFile table;
  table.entries = {{1, 1, "A"}, {2, 2, "B"}};
  std::vector<uint8_t> bytes = tavora::buildTunerDat(table);
  bytes.resize(bytes.size() - 2);
  writeBytes(f + L"TvTuner.dat", bytes);
  defFile settings(cp932(f + L"guidepane.dat"), {});
  TForm4 form(nullptr, settings, cp932(f));
  EXPECT_TRUE(form.noChannelTable());
  EXPECT_EQ(SendMessageW(GetDlgItem(form.handle(), TForm4::ComboBox1), CB_GETCOUNT, 0, 0), 0);
}

}  // namespace
