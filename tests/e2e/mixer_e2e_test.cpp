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

std::string settingsPath() { return winui::narrow(e2e::engineFolder()) + "SoundMixer.dat"; }

std::optional<MixerSettings> stored() {
  std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(settingsPath());
  return data ? decodeMixerSettings(*data) : std::nullopt;
}

// Runs the lines, each as one request, waiting for each acknowledgement.
void run(FrontEnd& front, std::initializer_list<const char*> lines) {
  for (const char* text : lines) ASSERT_TRUE(front.waitForDone(front.request(tvr::TVR_EXECONELINE, text))) << text;
}

// Starts the engine and names the front end's window "form", as the recorder names its TV view;
// then makes the mixer.
void startWithMixer(FrontEnd& front) {
  ASSERT_TRUE(front.start());
  ASSERT_TRUE(front.waitForEngine());
  ASSERT_TRUE(front.waitForDone(front.request(tvr::TVR_ADDDWORD, "form", reinterpret_cast<uintptr_t>(front.window()))));
  run(front, {"new SoundMixer mix", "mix create form"});
}

// The replies of that message, in order.
std::vector<e2e::Received> replies(const FrontEnd& front, unsigned msg) {
  std::vector<e2e::Received> found;
  for (const e2e::Received& r : front.received)
    if (r.msg == msg) found.push_back(r);
  return found;
}

std::vector<uint64_t> wParams(const FrontEnd& front, unsigned msg) {
  std::vector<uint64_t> values;
  for (const e2e::Received& r : replies(front, msg)) values.push_back(r.wParam);
  return values;
}

}  // namespace

TEST(SoundMixer, LinesVolumeAndMuteOfTheSoundCardAndTheFileReadBackByTheNextObject) {
  tavora::removeFile(settingsPath());
  FrontEnd front;
  startWithMixer(front);
  run(front, {"mix getDevList", "mix setCurrentMixDev 1", "mix getNowMixerDev"});
  std::vector<e2e::Received> blocks = replies(front, WM_COPYDATA);
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].kind, tvr::CD_MIXERLINES);
  // The destination and its one source line, each name ended by its NUL.
  ASSERT_GE(blocks[0].block.size(), 4u);
  EXPECT_EQ(blocks[0].block[0], 2);
  EXPECT_EQ(std::count(blocks[0].block.begin() + 4, blocks[0].block.end(), 0), 2);
  EXPECT_EQ(blocks[0].block.back(), 0);
  std::vector<e2e::Received> ids = replies(front, tvr::TVR_MIXERIDS);
  ASSERT_EQ(ids.size(), 2u);
  EXPECT_NE(ids[1].wParam, ids[0].wParam);
  EXPECT_NE(ids[1].lParam, ids[0].lParam);
  EXPECT_EQ(wParams(front, tvr::TVR_MIXDEVINDEX), std::vector<uint64_t>{1});

  // Wine's source line takes no level; the speakers destination does.
  run(front, {"mix setCurrentMixDev 0", "mix setVolume 30000", "mix setMute off", "mix getSysVolMute",
              "mix setVolume 1000", "mix setMute ON", "mix getVolume", "mix getMute", "mix setSysVolMute", "mix getVolume", "mix getMute",
              "mix setCurrentMixDev 1", "delete mix"});
  EXPECT_EQ(wParams(front, tvr::TVR_VOLUME), (std::vector<uint64_t>{1000, 30000}));
  EXPECT_EQ(wParams(front, tvr::TVR_MUTE), (std::vector<uint64_t>{1, 0}));
  std::optional<MixerSettings> settings = stored();
  ASSERT_TRUE(settings);
  EXPECT_TRUE(settings->valid);
  EXPECT_EQ(settings->position, 1);
  ASSERT_EQ(settings->lines.size(), 2u);
  EXPECT_EQ(settings->lines[1].volumeId, ids[1].wParam);
  EXPECT_EQ(settings->lines[1].muteId, static_cast<uint64_t>(ids[1].lParam));

  // The next object takes the lines and the selection from the file.
  run(front, {"new SoundMixer mix", "mix create form", "mix getNowMixerDev"});
  EXPECT_EQ(replies(front, tvr::TVR_MIXERIDS).back().wParam, ids[1].wParam);
  EXPECT_EQ(wParams(front, tvr::TVR_MIXDEVINDEX), (std::vector<uint64_t>{1, 1}));
  EXPECT_FALSE(front.waitForBox(0));
}

// Run with a sound system that has no device at all (the bench's second run of this program).
TEST(SoundMixerWithoutSound, OnlyTheNoMixerNoticeComes) {
  tavora::removeFile(settingsPath());
  FrontEnd front;
  startWithMixer(front);
  run(front, {"mix getVolume", "mix getMute", "mix getDevList", "mix getNowMixerDev", "mix setCurrentMixDev 0",
              "mix getSysVolMute", "mix setVolume 0", "mix setSysVolMute", "delete mix"});
  std::vector<unsigned> expected = {tvr::TVR_ENGINEWND, tvr::TVR_DONE, tvr::TVR_DONE, tvr::TVR_NOMIXER};
  expected.resize(expected.size() + 10, tvr::TVR_DONE);
  EXPECT_EQ(front.messages(), expected);
  EXPECT_EQ(stored(), MixerSettings{});
}

TEST(EngineWindow, DestroyingItEndsTheEngineAfterTheUsualCleanUp) {
  tavora::removeFile(settingsPath());
  FrontEnd front;
  startWithMixer(front);
  // Closing the window destroys it; the objects left in the table still write their files.
  PostMessageW(front.engine(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(front.waitForExit());
  EXPECT_TRUE(stored().has_value());
}
