// The system's audio format chooser under the audio source over the fakes (Wine's compressors
// and its audio device without pins are met by the engine's end-to-end test).
#include <gtest/gtest.h>

#include "common/messages.h"
#include "modal_script.h"
#include "sound_fixture.h"

using namespace soundtest;

namespace {

// The chooser's lists of format tags and of their attributes.
constexpr int kTagList = 101;
constexpr int kAttributeList = 102;

// Selects the item that starts with text in a list of the dialog, as a click would.
void choose(HWND dialog, int list, const wchar_t* text) {
  HWND box = GetDlgItem(dialog, list);
  const LRESULT item = SendMessageW(box, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

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
  ModalScript::arm(L"#32770", [](HWND dialog) {
    choose(dialog, kTagList, L"IMA ADPCM");
    choose(dialog, kAttributeList, L"22050 Hz; 4 bits; Mono");
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(run("cACap audioDialog form"));
  ASSERT_FALSE(ModalScript::texts.empty());
  EXPECT_FALSE(ModalScript::texts[0].empty());  // its caption
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
