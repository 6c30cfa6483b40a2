// The video source against Wine's own system device enumerator, in process with the real COM
// factory, and the real driver choice dialog. Wine has no video capture device, so every path
// that binds a device is covered only over the COM fakes.
#include "common/fileio.h"
#include "fakes/engine_on_wine.h"
#include "vcap_fixture.h"

using namespace vcaptest;
using Log = std::vector<std::wstring>;

namespace {

class VCapOnWine : public fakes::EngineOnWine {
 protected:
  void SetUp() override {
    EngineOnWine::SetUp();
    devices.programDir = folder.path();
  }

  TempFolder folder;
};

const wchar_t kNoDevice[] = L"error 「TVCapSorce::findVCapFilter()」でキャプチャフィルタの検索に失敗しました。(ID=3)";

}  // namespace

TEST_F(VCapOnWine, CreateWithoutAVideoDeviceReportsTheSearchAndUndoesEverything) {
  EXPECT_TRUE(run("new VCapSorce cVCap"));
  EXPECT_FALSE(run("cVCap create"));
  EXPECT_EQ(host.replies, Log{kNoDevice});
  EXPECT_TRUE(engine->objectNames().empty());
  EXPECT_TRUE(engine->undoList.empty());
  EXPECT_FALSE(tavora::fileExists(folder.path() + "VCapSorce.dat"));
}

TEST_F(VCapOnWine, AStoredDeviceThatIsNotThereIsReportedBeforeTheSearch) {
  VCapSettings stored;
  stored.version = 2;
  stored.hasVfw = stored.useVfw = true;
  stored.vfwName = "Gone Card";
  const std::vector<uint8_t> bytes = encodeVCapSettings(stored);
  ASSERT_TRUE(tavora::writeFileReplacing(folder.path() + "VCapSorce.dat", bytes));
  run("new VCapSorce cVCap");
  EXPECT_FALSE(run("cVCap create"));
  EXPECT_EQ(host.replies, (Log{L"error クラス「filterHandler」の「findFilter」でフィルタの検索に失敗しました。(ID=7)",
                               kNoDevice}));
  // The file of a device that may come back is left as it was.
  EXPECT_EQ(tavora::readWholeFile(folder.path() + "VCapSorce.dat"), bytes);
}

namespace {

// Acts on the real dialog from inside its modal loop.
struct DialogScript {
  static inline std::function<void(HWND)> step;
  static inline Log texts;
  static inline bool vfwCheckedAtStart = false;
  static inline LONG_PTR style = 0;

  static BOOL CALLBACK collect(HWND child, LPARAM) {
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    if (text[0]) texts.push_back(text);
    if (std::wstring(text) == L"VfWキャプチャドライバ（推奨）")
      vfwCheckedAtStart = SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return TRUE;
  }
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"TFormSelVCap", nullptr);
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, timer);
    wchar_t caption[64] = {};
    GetWindowTextW(dialog, caption, 64);
    texts = {caption};
    style = GetWindowLongPtrW(dialog, GWL_STYLE);
    EnumChildWindows(dialog, collect, 0);
    step(dialog);
  }
  // Shows the dialog as the device search does and answers its result.
  static int run(std::function<void(HWND)> action) {
    step = std::move(action);
    texts.clear();
    SetTimer(nullptr, 0, 20, onTimer);
    return chooseCaptureDriver();
  }
};

HWND button(HWND dialog, const wchar_t* text) { return FindWindowExW(dialog, nullptr, L"BUTTON", text); }

}  // namespace

TEST(SelVCapDialog, ShowsItsTextsWithTheVfWItemChosen) {
  const int result = DialogScript::run([](HWND dialog) { SendMessageW(button(dialog, L"閉じる"), BM_CLICK, 0, 0); });
  EXPECT_EQ(result, kDriverChoiceVfw);
  EXPECT_EQ(DialogScript::texts,
            (Log{L"キャプチャドライバの選択", L"2つのキャプチャドライバが検出されました。",
                 L"プレビューやキャプチャで使用するドライバを選択してください。", L"WDMキャプチャドライバ",
                 L"VfWキャプチャドライバ（推奨）", L"閉じる"}));
  EXPECT_TRUE(DialogScript::vfwCheckedAtStart);
  // A caption without border icons.
  EXPECT_TRUE(DialogScript::style & WS_CAPTION);
  EXPECT_FALSE(DialogScript::style & WS_SYSMENU);
  EXPECT_FALSE(FindWindowW(L"TFormSelVCap", nullptr));  // a new instance each time, destroyed after
}

TEST(SelVCapDialog, ChoosingWdmAndClosingAnswersOne) {
  const int result = DialogScript::run([](HWND dialog) {
    SendMessageW(button(dialog, L"WDMキャプチャドライバ"), BM_CLICK, 0, 0);
    SendMessageW(button(dialog, L"閉じる"), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(result, kDriverChoiceWdm);
}

TEST(SelVCapDialog, ClosingAnyOtherWayCountsAsVfW) {
  EXPECT_EQ(DialogScript::run([](HWND dialog) {
              SendMessageW(button(dialog, L"WDMキャプチャドライバ"), BM_CLICK, 0, 0);
              PostMessageW(dialog, WM_CLOSE, 0, 0);
            }),
            kDriverChoiceVfw);
  EXPECT_EQ(DialogScript::run([](HWND dialog) {
              SendMessageW(button(dialog, L"WDMキャプチャドライバ"), BM_CLICK, 0, 0);
              PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
            }),
            kDriverChoiceVfw);
}
