// The system's audio format chooser under the audio source over the fakes (Wine's compressors
// and its audio device without pins are met by the engine's end-to-end test).
#include <gtest/gtest.h>

#include <functional>

#include "common/messages.h"
#include "sound_fixture.h"

using namespace soundtest;

namespace {

// The chooser's lists of format tags and of their attributes.
constexpr int kTagList = 101;
constexpr int kAttributeList = 102;

// Acts on the system's format chooser from inside its modal loop.
struct ChooserScript {
  static inline std::function<void(HWND)> step;
  static inline std::wstring caption;

  static BOOL CALLBACK findDialog(HWND window, LPARAM result) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    KillTimer(nullptr, timer);
    wchar_t text[128] = {};
    GetWindowTextW(dialog, text, 128);
    caption = text;
    step(dialog);
  }
  // Selects the item that starts with text in a list of the dialog, as a click would.
  static void choose(HWND dialog, int list, const wchar_t* text) {
    HWND box = GetDlgItem(dialog, list);
    const LRESULT item = SendMessageW(box, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
  }
  static void arm(std::function<void(HWND)> action) {
    step = std::move(action);
    caption.clear();
    SetTimer(nullptr, 0, 20, onTimer);
  }
};

class ChooserOnWine : public SoundOverFakes {
 protected:
  void SetUp() override {
    setAudioFormatChooserSeam(nullptr);
    addAudioDevice(L"mic");
    runOk({"new ACapSorce cACap", "cACap create q"});
    takeReplies();
  }
};

}  // namespace

TEST_F(ChooserOnWine, AFormatLargerThanTheOneInUseIsChosenReportedAndWritten) {
  // IMA ADPCM carries two bytes after its WAVEFORMATEX: more than the 18 of the PCM in use.
  ChooserScript::arm([](HWND dialog) {
    ChooserScript::choose(dialog, kTagList, L"IMA ADPCM");
    ChooserScript::choose(dialog, kAttributeList, L"22050 Hz; 4 bits; Mono");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(run("cACap audioDialog form"));
  EXPECT_FALSE(ChooserScript::caption.empty());
  runOk({"cACap remove"});
  std::optional<Bytes> data = read("q.audio");
  ASSERT_TRUE(data);
  std::optional<MediaTypeRecord> written = decodeAudioProfile(*data);
  ASSERT_TRUE(written);
  ASSERT_EQ(written->format.size(), 20u);
  const auto* format = reinterpret_cast<const WAVEFORMATEX*>(written->format.data());
  EXPECT_EQ(format->wFormatTag, WAVE_FORMAT_IMA_ADPCM);
  EXPECT_EQ(format->cbSize, 2);
  EXPECT_EQ(written->subtype.data1, static_cast<uint32_t>(WAVE_FORMAT_IMA_ADPCM));
  EXPECT_EQ(written->sampleSize, format->nBlockAlign);
  EXPECT_EQ(takeReplies(), Log{post(tvr::TVR_AUDIOFORMAT, 22050, format->nBlockAlign | (1 << 16))});
}
