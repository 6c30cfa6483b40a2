// The frame-rate and stop-time dialogs and the folder picker under Wine; one fixture for all.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recdesk/fakes.h"
#include "recdesk/win/frame_rate_form.h"
#include "recdesk/win/stop_time_form.h"
#include "winui/dialogs.h"
#include "winui/folder_picker.h"
#include "winui/timer.h"

namespace {

constexpr double kMinute = 1 / 1440.0;

struct Transport : EngineTransport {
  bool engineKnown() const override { return false; }  // every line stays queued, to be read
  void sendCopyData(int32_t, const std::vector<char>&) override {}
  void postRequest(int32_t, uintptr_t, int32_t) override {}
};

// Stands in for the shell's folder browser; records what the picker asked of it.
struct Shell : winui::ShellFolderSeam {
  IMalloc* allocator() override {
    if (!hasAllocator) return nullptr;
    IMalloc* malloc = nullptr;
    SHGetMalloc(&malloc);
    return malloc;
  }
  HRESULT parseDisplayName(HWND, const std::wstring& path, PIDLIST_ABSOLUTE* list) override {
    log.push_back(L"parse " + path);
    *list = emptyList();
    return S_OK;
  }
  PIDLIST_ABSOLUTE browseForFolder(BROWSEINFOW& info) override {
    log.push_back(std::wstring(L"browse ") + info.lpszTitle + (info.pidlRoot ? L" rooted" : L" desktop") +
                  (info.ulFlags == BIF_RETURNONLYFSDIRS ? L" fs" : L" ?") +
                  (info.hwndOwner == winui::applicationWindow() ? L" app" : info.hwndOwner == other ? L" owner" : L" ?") +
                  (IsWindowEnabled(other) ? L" other enabled" : L" other disabled"));
    return chosen ? emptyList() : nullptr;
  }
  bool pathFromIdList(PCIDLIST_ABSOLUTE, wchar_t* path) override {
    return fileSystemPath && wcscpy(path, fileSystemPath);
  }
  static PIDLIST_ABSOLUTE emptyList() { return static_cast<PIDLIST_ABSOLUTE>(CoTaskMemAlloc(sizeof(USHORT))); }
  bool hasAllocator = true;
  bool chosen = true;
  const wchar_t* fileSystemPath = L"C:\\録画";
  HWND other = nullptr;
  std::vector<std::wstring> log;
};

struct DialogsTest : ::testing::Test, winui::DialogSeam {
  DialogsTest() : engine(transport, ackTimer, watch, view) {
    winui::setDialogSeam(this);
    winui::setApplicationTitle("Tavora");
    winui::setShellFolderSeam(&shell);
    clock.time = 46000.5 + 13 / 86400.0;  // an afternoon, 13 s past the minute
  }
  ~DialogsTest() override { winui::setDialogSeam(nullptr), winui::setShellFolderSeam(nullptr); }
  int messageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) override {
    return boxes.push_back(caption + L"|" + text), duringBox ? duringBox() : void(), IDOK;
  }
  std::vector<std::string> queued() const {
    std::vector<std::string> lines;
    return std::transform(engine.queue().begin(), engine.queue().end(), std::back_inserter(lines),
                          [](const CmdMess& request) { return request.text; }), lines;
  }
  static std::wstring textOf(HWND window) {
    wchar_t text[256] = {};
    return GetWindowTextW(window, text, 256), text;
  }
  static bool shown(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }
  // Runs the action inside the dialog's modal loop.
  void duringModal(std::function<void()> action) {
    modalStep = std::make_unique<winui::Timer>(winui::Timer::Kind::oneShot, std::move(action));
    modalStep->start(20);
  }

  Transport transport;
  FakeTimer ackTimer;
  FakeWatch watch;
  FakeView view;
  FakeClock clock;
  dsControl engine;
  Shell shell;
  std::vector<std::wstring> boxes;
  std::function<void()> duringBox;
  std::unique_ptr<winui::Timer> modalStep;
};

}  // namespace

TEST_F(DialogsTest, FrameRateRefusesWhatTheEngineWouldNotApplyAndSendsTheRate) {
  TFormFRate dialog(nullptr, engine, [] { return std::string("30"); }, false);
  EXPECT_EQ(textOf(dialog.handle()), L"フレームレートの設定");
  std::vector<std::wstring> refilled;
  duringBox = [&] { refilled.push_back(textOf(dialog.control(TFormFRate::Edit1))); };
  std::wstring shownText;
  LRESULT selection = 0;
  duringModal([&] {
    shownText = textOf(dialog.control(TFormFRate::Edit1));
    SendMessageW(dialog.control(TFormFRate::Edit1), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(dialog.control(TFormFRate::Edit1), WM_LBUTTONUP, 0, 0);
    selection = SendMessageW(dialog.control(TFormFRate::Edit1), EM_GETSEL, 0, 0);  // from 0 to 2
    for (const char* bad : {"0", "-5", "abc", "", "29.97 30", "1e10"}) {
      dialog.setText(TFormFRate::Edit1, bad);
      dialog.click(TFormFRate::Button1);
      refilled.push_back(textOf(dialog.control(TFormFRate::Edit1)));
    }
    dialog.setText(TFormFRate::Edit1, "29.97");
    dialog.click(TFormFRate::Button1);
  });
  EXPECT_EQ(dialog.run(), 1);
  EXPECT_EQ(shownText, L"30");
  EXPECT_EQ(selection, MAKELRESULT(0, 2));
  EXPECT_EQ(boxes, std::vector<std::wstring>(6, L"Tavora|正しくない数値を入力しました。"));
  EXPECT_EQ(refilled, (std::vector<std::wstring>{L"0", L"30", L"-5", L"30", L"abc", L"30", L"", L"30",
                                                 L"29.97 30", L"30", L"1e10", L"30"}));
  EXPECT_EQ(queued(), std::vector<std::string>{"cVCap setFrameRate 29.97"});
}

TEST_F(DialogsTest, FrameRateEnterIsOkAndEscapeIsCancel) {
  std::string reported = "15";
  TFormFRate dialog(nullptr, engine, [&] { return reported; }, true);
  EXPECT_TRUE(GetWindowLongW(dialog.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  duringModal([&] {
    dialog.setText(TFormFRate::Edit1, "0");
    SendMessageW(dialog.control(TFormFRate::Edit1), WM_KEYDOWN, VK_RETURN, 0);  // the same check as OK
    dialog.setText(TFormFRate::Edit1, "24");
    SendMessageW(dialog.control(TFormFRate::Edit1), WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(dialog.run(), 1);
  reported = "24";
  duringModal([&] {
    dialog.setText(TFormFRate::Edit1, "25");
    SendMessageW(dialog.control(TFormFRate::Edit1), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(dialog.run(), 2);
  EXPECT_EQ(boxes, std::vector<std::wstring>{L"Tavora|正しくない数値を入力しました。"});
  EXPECT_EQ(queued(), std::vector<std::string>{"cVCap setFrameRate 24"});
}

TEST_F(DialogsTest, StopTimeShowsTheMinutesToTheNextOccurrence) {
  TFormStopTime dialog(nullptr, clock, false);
  EXPECT_EQ(textOf(dialog.handle()), L"録画終了時間の変更");
  EXPECT_EQ(GetWindow(dialog.handle(), GW_CHILD), dialog.control(TFormStopTime::Button2));
  EXPECT_EQ(textOf(dialog.control(TFormStopTime::Button2)), L"変更しない");
  std::vector<std::wstring> minutes;
  for (double when : {clock.time - kMinute, clock.time, clock.time + 90 * kMinute}) {
    dialog.setStopTime(when, clock.time);
    minutes.push_back(textOf(dialog.control(TFormStopTime::Label3)));
  }
  // The user's change of the picker recomputes them; 40 s later 89 are left.
  clock.time += 40 / 86400.0;
  NMHDR change{dialog.picker().handle(), TFormStopTime::DateTimePicker1, static_cast<UINT>(DTN_DATETIMECHANGE)};
  SendMessageW(dialog.handle(), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
  minutes.push_back(textOf(dialog.control(TFormStopTime::Label3)));
  EXPECT_EQ(minutes, (std::vector<std::wstring>{L"1439", L"1440", L"90", L"89"}));
  EXPECT_NEAR(dialog.stopTime(), clock.time - 40 / 86400.0 + 90 * kMinute, 1e-8);
  // By the keyboard: the focus starts on "変更しない", Tab reaches the picker, Esc cancels.
  HWND first = nullptr, second = nullptr;
  winui::Timer next(winui::Timer::Kind::oneShot, [&] {
    SetActiveWindow(dialog.handle());
    second = GetFocus();
    PostMessageW(dialog.handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  duringModal([&] {
    SetActiveWindow(dialog.handle());  // back from another test's window, with its focus
    first = GetFocus();
    PostMessageW(first, WM_KEYDOWN, VK_TAB, 0);
    next.start(50);
  });
  EXPECT_EQ(dialog.run(), 2);
  EXPECT_EQ(first, dialog.control(TFormStopTime::Button2));
  EXPECT_EQ(second, dialog.picker().handle());
}

TEST_F(DialogsTest, StopTimeDropHidesTheMinutesAndUncheckingRecomputesThem) {
  TFormStopTime dialog(nullptr, clock, true);
  EXPECT_TRUE(GetWindowLongW(dialog.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  dialog.setStopTime(clock.time + 30 * kMinute, clock.time);
  dialog.setPowerOff(true);
  duringModal([&] {
    SendMessageW(dialog.control(TFormStopTime::CheckBox2), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(dialog.picker().handle()));
    EXPECT_FALSE(IsWindowEnabled(dialog.control(TFormStopTime::CheckBox1)));
    EXPECT_FALSE(shown(dialog.control(TFormStopTime::Label2)) || shown(dialog.control(TFormStopTime::Label3)) ||
                 shown(dialog.control(TFormStopTime::Label4)));
    clock.time += 10 * kMinute;
    SendMessageW(dialog.control(TFormStopTime::CheckBox2), BM_CLICK, 0, 0);
    EXPECT_EQ(textOf(dialog.control(TFormStopTime::Label3)), L"20");
    EXPECT_TRUE(IsWindowEnabled(dialog.picker().handle()));
    EXPECT_TRUE(IsWindowEnabled(dialog.control(TFormStopTime::CheckBox1)));
    EXPECT_TRUE(shown(dialog.control(TFormStopTime::Label2)) && shown(dialog.control(TFormStopTime::Label3)) &&
                shown(dialog.control(TFormStopTime::Label4)));
    SendMessageW(dialog.control(TFormStopTime::CheckBox2), BM_CLICK, 0, 0);
    dialog.click(TFormStopTime::Button1);
  });
  EXPECT_EQ(dialog.run(), 1);
  EXPECT_TRUE(dialog.powerOff());
  EXPECT_TRUE(dialog.dropStopTime());
  // During a scheduled recording the stop time cannot be dropped; the close box changes nothing.
  dialog.allowDrop(false);
  EXPECT_FALSE(IsWindowEnabled(dialog.control(TFormStopTime::CheckBox2)));
  duringModal([&] { PostMessageW(dialog.handle(), WM_CLOSE, 0, 0); });
  EXPECT_EQ(dialog.run(), 2);
}

TEST_F(DialogsTest, FolderPickerPathsThroughTheShell) {
  winui::Form app({L"TavoraApplication", "app", WS_OVERLAPPEDWINDOW, 0, nullptr, {0, 0, 100, 100}});
  winui::Form other({L"TavoraOther", "other", WS_OVERLAPPEDWINDOW, 0, nullptr, {0, 0, 100, 100}});
  other.show();
  shell.other = other.handle();
  winui::setApplicationWindow(app.handle());
  const winui::FolderRequest request{"Folder", "C:\\", "No Shift-JIS form", nullptr, "No file-system folder"};
  std::string folder = "old";
  // Opened from a form: the form owns it. Else the application window would, but hidden it
  // gives way to the active form.
  EXPECT_TRUE(winui::selectDirectory({"Folder", "C:\\", "", other.handle()}, folder));
  EXPECT_EQ(folder, "C:\\\x98\x5e\x89\xe6");  // 録画 in Shift-JIS
  // Cancelled; a folder with no file-system path; a path with no Shift-JIS form; no allocator.
  shell.chosen = false;
  EXPECT_FALSE(winui::selectDirectory({"Folder", "", "No Shift-JIS form"}, folder));
  EXPECT_EQ(folder, "");
  shell.chosen = true;
  shell.fileSystemPath = nullptr;
  folder = "old";
  EXPECT_FALSE(winui::selectDirectory(request, folder));
  EXPECT_EQ(folder, "");
  shell.fileSystemPath = L"C:\\한";
  EXPECT_FALSE(winui::selectDirectory(request, folder));
  EXPECT_EQ(folder, "");
  shell.hasAllocator = false;
  EXPECT_FALSE(winui::selectDirectory(request, folder));
  winui::setApplicationWindow(nullptr);
  EXPECT_EQ(shell.log, (std::vector<std::wstring>{
                           L"parse C:\\", L"browse Folder rooted fs owner other disabled",
                           L"browse Folder desktop fs owner other disabled",
                           L"parse C:\\", L"browse Folder rooted fs owner other disabled",
                           L"parse C:\\", L"browse Folder rooted fs owner other disabled"}));
  EXPECT_EQ(boxes, (std::vector<std::wstring>{L"Tavora|No file-system folder", L"Tavora|No Shift-JIS form"}));
  EXPECT_TRUE(IsWindowEnabled(other.handle()));
}
