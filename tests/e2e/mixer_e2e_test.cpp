// The sound mixer end to end: grabcore.exe, driven by the stand-in front end, against Wine's
// mixer over the bench's null sound card (a speakers destination with one source line), and
// in a second run with a sound system that has no device at all; the engine's end with its
// window.
#include <gtest/gtest.h>

#include <optional>

#include "common/fileio.h"
#include "common/messages.h"
#include "grabcore/core/mixer_settings.h"
#include "harness.h"
#include "winui/text.h"

using e2e::FrontEnd;

namespace {

std::string settingsPath() { return winui::narrow(e2e::programFolder()) + "SoundMixer.dat"; }

std::optional<MixerSettings> stored() {
  std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(settingsPath());
  return data ? decodeMixerSettings(*data) : std::nullopt;
}

// Runs one line and waits for its acknowledgement.
void line(FrontEnd& front, const std::string& text) {
  ASSERT_TRUE(front.waitForDone(front.request(tvr::TVR_EXECONELINE, text))) << text;
}

// Starts the engine and names the front end's window "form", as the recorder names its TV view.
void startWithTvWindow(FrontEnd& front) {
  ASSERT_TRUE(front.start());
  ASSERT_TRUE(front.waitForEngine());
  const int64_t id = front.request(tvr::TVR_ADDDWORD, "form", reinterpret_cast<uintptr_t>(front.window()));
  ASSERT_TRUE(front.waitForDone(id));
}

// The replies of that message, in order.
std::vector<e2e::Received> replies(const FrontEnd& front, unsigned msg) {
  std::vector<e2e::Received> found;
  for (const e2e::Received& r : front.received)
    if (r.msg == msg) found.push_back(r);
  return found;
}

}  // namespace

TEST(SoundMixer, LinesVolumeAndMuteOfTheSoundCardAndTheFileReadBackByTheNextObject) {
  tavora::removeFile(settingsPath());
  FrontEnd front;
  startWithTvWindow(front);
  line(front, "new SoundMixer mix");
  line(front, "mix create form");
  std::vector<e2e::Received> ids = replies(front, tvr::TVR_MIXERIDS);
  ASSERT_EQ(ids.size(), 1u);
  EXPECT_EQ(front.count(tvr::TVR_NOMIXER), 0u);

  line(front, "mix getDevList");
  std::vector<e2e::Received> blocks = replies(front, WM_COPYDATA);
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].kind, tvr::CD_MIXERLINES);
  EXPECT_EQ(blocks[0].wParam, reinterpret_cast<uintptr_t>(front.engine()));
  // The destination and its one source line, each name ended by its NUL.
  ASSERT_GE(blocks[0].block.size(), 4u);
  EXPECT_EQ(blocks[0].block[0], 2);
  EXPECT_EQ(std::count(blocks[0].block.begin() + 4, blocks[0].block.end(), 0), 2);
  EXPECT_EQ(blocks[0].block.back(), 0);

  line(front, "mix setCurrentMixDev 1");
  line(front, "mix getNowMixerDev");
  ids = replies(front, tvr::TVR_MIXERIDS);
  ASSERT_EQ(ids.size(), 2u);
  EXPECT_NE(ids[1].wParam, ids[0].wParam);
  EXPECT_NE(ids[1].lParam, ids[0].lParam);
  ASSERT_EQ(replies(front, tvr::TVR_MIXDEVINDEX).size(), 1u);
  EXPECT_EQ(replies(front, tvr::TVR_MIXDEVINDEX)[0].wParam, 1u);

  // Wine's source line takes no level; the speakers destination does.
  line(front, "mix setCurrentMixDev 0");
  line(front, "mix setVolume 30000");
  line(front, "mix getSysVolMute");
  line(front, "mix setVolume 1000");
  line(front, "mix setMute ON");
  line(front, "mix getVolume");
  line(front, "mix getMute");
  line(front, "mix setSysVolMute");
  line(front, "mix getVolume");
  line(front, "mix getMute");
  std::vector<e2e::Received> volume = replies(front, tvr::TVR_VOLUME);
  ASSERT_EQ(volume.size(), 2u);
  EXPECT_EQ(volume[0].wParam, 1000u);
  EXPECT_EQ(volume[1].wParam, 30000u);
  std::vector<e2e::Received> mute = replies(front, tvr::TVR_MUTE);
  ASSERT_EQ(mute.size(), 2u);
  EXPECT_EQ(mute[0].wParam, 1u);
  EXPECT_EQ(mute[1].wParam, 0u);

  line(front, "mix setCurrentMixDev 1");
  line(front, "delete mix");
  std::optional<MixerSettings> settings = stored();
  ASSERT_TRUE(settings);
  EXPECT_TRUE(settings->valid);
  EXPECT_EQ(settings->position, 1);
  ASSERT_EQ(settings->lines.size(), 2u);
  EXPECT_EQ(settings->lines[1].volumeId, ids[1].wParam);
  EXPECT_EQ(settings->lines[1].muteId, static_cast<uint64_t>(ids[1].lParam));

  // The next object takes the lines and the selection from the file.
  line(front, "new SoundMixer mix");
  line(front, "mix create form");
  line(front, "mix getNowMixerDev");
  ids = replies(front, tvr::TVR_MIXERIDS);
  ASSERT_EQ(ids.size(), 5u);
  EXPECT_EQ(ids[4].wParam, ids[1].wParam);
  EXPECT_EQ(replies(front, tvr::TVR_MIXDEVINDEX).back().wParam, 1u);
  EXPECT_FALSE(front.waitForBox(0));
}

// Run with a sound system that has no device at all (the bench's second run of this program).
TEST(SoundMixerWithoutSound, OnlyTheNoMixerNoticeComes) {
  tavora::removeFile(settingsPath());
  FrontEnd front;
  startWithTvWindow(front);
  line(front, "new SoundMixer mix");
  line(front, "mix create form");
  for (const char* text : {"mix getVolume", "mix getMute", "mix getDevList", "mix getNowMixerDev",
                           "mix setCurrentMixDev 0", "mix getSysVolMute", "mix setVolume 0", "mix setSysVolMute"})
    line(front, text);
  EXPECT_EQ(front.count(tvr::TVR_NOMIXER), 1u);
  std::vector<unsigned> expected = {tvr::TVR_ENGINEWND, tvr::TVR_DONE, tvr::TVR_DONE, tvr::TVR_NOMIXER};
  expected.resize(expected.size() + 9, tvr::TVR_DONE);
  EXPECT_EQ(front.messages(), expected);
  line(front, "delete mix");
  EXPECT_EQ(stored(), MixerSettings{});
}

TEST(EngineWindow, DestroyingItEndsTheEngineAfterTheUsualCleanUp) {
  tavora::removeFile(settingsPath());
  FrontEnd front;
  startWithTvWindow(front);
  line(front, "new SoundMixer mix");
  line(front, "mix create form");
  // Closing the window destroys it; the objects left in the table still write their files.
  PostMessageW(front.engine(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(front.waitForExit());
  EXPECT_TRUE(stored().has_value());
}
