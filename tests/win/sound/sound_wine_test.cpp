// The audio source and the compressor against Wine's own components, in process with the real
// COM factory; and the system's audio format chooser under the audio source over the fakes.
// Wine's one audio input device has no pins, so its capture format is reached only over the
// fakes; its three video compressors have no dialogs interface.
#include <gtest/gtest.h>

#include <functional>

#include "common/fileio.h"
#include "common/messages.h"
#include "fakes/engine_on_wine.h"
#include "sound_fixture.h"

using namespace soundtest;

namespace {

class SoundOnWine : public fakes::EngineOnWine {
 protected:
  void SetUp() override {
    EngineOnWine::SetUp();
    devices.programDir = folder.path();
  }
  std::optional<VCompressProfile> stored(const std::string& name) const {
    std::optional<Bytes> data = tavora::readWholeFile(folder.path() + name);
    return data ? decodeVCompressFile(*data) : std::nullopt;
  }

  fakes::TempFolder folder;
};

const char kCinepak[] = "Cinepak Video codec";

}  // namespace

TEST_F(SoundOnWine, TheAudioDeviceIsBoundButHasNoCapturePin) {
  const Bytes profile = encodeMediaTypeFile(audioType(pcm(1, 22050, 16)));
  ASSERT_TRUE(tavora::writeFileReplacing(folder.path() + "q.audio", profile));
  EXPECT_TRUE(run("new ACapSorce cACap"));
  EXPECT_FALSE(run("cACap create q"));
  EXPECT_EQ(host.replies, Log{L"error クラス「TVCapSorce」の「strmCnfPtr()」でキャプチャピンの検索に失敗しました。"});
  EXPECT_TRUE(engine->objectNames().empty());
  EXPECT_EQ(tavora::readWholeFile(folder.path() + "q.audio"), profile);
}

TEST_F(SoundOnWine, NoCompressorHasDialogsSoTheListIsEmpty) {
  run("new Compress cComp");
  EXPECT_TRUE(run("cComp create q"));
  EXPECT_TRUE(run("cComp enumCompNames"));
  EXPECT_EQ(host.replies, (Log{L"copydata 6 4", post(tvr::TVR_COMPINDEX, -1, 0)}));
  EXPECT_EQ(host.copyData.back(), (Bytes{0, 0, 0, 0}));
}

TEST_F(SoundOnWine, AnInstalledCompressorIsBoundByNameAndWrittenToTheProfile) {
  run("new Compress cComp");
  run("cComp create q");
  EXPECT_TRUE(run(std::string("cComp setCompKind \"") + kCinepak + "\""));
  ASSERT_NE(engine->object("cComp")->getFilter(), nullptr);
  EXPECT_TRUE(run("cComp remove"));
  VCompressProfile expected;
  expected.friendlyName = kCinepak;
  EXPECT_EQ(stored("q.vCompress"), expected);
  // The next create binds it again; its dialog is not there.
  EXPECT_TRUE(run("cComp create q"));
  EXPECT_NE(engine->object("cComp")->getFilter(), nullptr);
  EXPECT_FALSE(run("cComp compDialog form"));
  EXPECT_EQ(host.replies,
            Log{L"error クラス「TCaptureGraphBuilder」の「showDialog()」で「FindInterface」に失敗しました。"});
  EXPECT_EQ(stored("q.vCompress"), expected);
}

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
