// The sound mixer through engine lines over a fake of the mixer functions: the exact calls,
// their sizes and flags, and the replies.
#include <gtest/gtest.h>

#include "common/messages.h"
#include "fake_mixer_api.h"
#include "fakes/engine_over_fakes.h"
#include "grabcore/core/mixer_settings.h"

using Calls = std::vector<std::string>;
using Log = std::vector<std::wstring>;
using fakes::post;
using fakes::postTo;

namespace {

constexpr long long kTv = 0x7700;

class MixerOverFakes : public fakes::EngineOverFakesInFolder {
 protected:
  MixerOverFakes() {
    devices.mixerApi = &api;
    engine->argDwords["form"] = kTv;
    constexpr DWORD kVolume = MIXERCONTROL_CONTROLTYPE_VOLUME, kMute = MIXERCONTROL_CONTROLTYPE_MUTE;
    api.lines = {{L"Master Volume", 0xffff0000, {{kVolume, 1}, {kMute, 2}}},
                 {L"ライン", 0x1000, {{kMute, 4}, {kVolume, 3}}}};
  }
  // The two control queries of a line.
  static Calls controlsOf(const std::string& line) {
    return {"getLineControls 4d00 80000002 line " + line + " type 50030001 count 1",
            "getLineControls 4d00 80000002 line " + line + " type 20010002 count 1"};
  }

  mixertest::FakeMixerApi api;
};

}  // namespace

TEST_F(MixerOverFakes, CreateOpensTheFirstMixerAndReadsTheSpeakersAndTheirSources) {
  runAll({"new SoundMixer mix", "mix create form", "mix getDevList"});
  Calls expected = {"getNumDevs", "open 7700 10000 device 0 0", "getId 4d00 80000000",
                    "getLineInfo 4d00 80000003 type 4"};
  for (const Calls& more : {controlsOf("ffff0000"), Calls{"getLineInfo 4d00 80000001 source 0.0"}, controlsOf("1000")})
    expected.insert(expected.end(), more.begin(), more.end());
  EXPECT_EQ(api.take(), expected);
  // The names reach the front end in Shift-JIS.
  std::vector<uint8_t> block = {2, 0, 0, 0, 'M', 'a', 's', 't', 'e', 'r', ' ', 'V', 'o', 'l', 'u', 'm', 'e', 0,
                                0x83, 0x89, 0x83, 0x43, 0x83, 0x93, 0};
  EXPECT_EQ(host.copyData, std::vector<std::vector<uint8_t>>{block});
  EXPECT_EQ(takeReplies(), (Log{postTo(kTv, tvr::TVR_MIXERIDS, 1, 2), L"copydata 5 25"}));
  run("delete mix");
  EXPECT_EQ(api.take(), Calls{"close 4d00 0"});
}

TEST_F(MixerOverFakes, VolumeAndMuteOfTheSelectedLineAndNoValueThatWasNotRead) {
  api.values = {{3, 21000}, {4, 1}};
  runAll({"new SoundMixer mix", "mix create form"});
  api.take();
  takeReplies();
  runAll({"mix setCurrentMixDev 1", "mix getVolume", "mix getMute", "mix setVolume 65535", "mix setMute ON"});
  EXPECT_EQ(api.take(), (Calls{"getControlDetails 4d00 80000000 control 3 channels 1 items 0",
                               "getControlDetails 4d00 80000000 control 4 channels 1 items 0",
                               "setControlDetails 4d00 80000000 control 3 channels 1 items 0 value 65535",
                               "setControlDetails 4d00 80000000 control 4 channels 1 items 0 value 1"}));
  EXPECT_EQ(takeReplies(),
            (Log{postTo(kTv, tvr::TVR_MIXERIDS, 3, 4), post(tvr::TVR_VOLUME, 21000, 0), post(tvr::TVR_MUTE, 1, 0)}));
  api.failing = {"getControlDetails"};
  runAll({"mix getVolume", "mix getMute"});
  EXPECT_EQ(api.take().size(), 2u);
  EXPECT_EQ(takeReplies(), Log{});
}

TEST_F(MixerOverFakes, WithoutAUsableMixerOnlyTheNoMixerNoticeComes) {
  api.devices = 0;
  runAll({"new SoundMixer mix", "mix create form", "mix getVolume", "delete mix"});
  EXPECT_EQ(api.take(), Calls{"getNumDevs"});
  // A source without a mute control makes the whole mixer unusable.
  api.devices = 1;
  api.lines[1].controls.erase(MIXERCONTROL_CONTROLTYPE_MUTE);
  runAll({"new SoundMixer mix", "mix create form"});
  EXPECT_EQ(api.take().back(), controlsOf("1000")[1]);
  EXPECT_EQ(takeReplies(), (Log{postTo(kTv, tvr::TVR_NOMIXER, 0, 0), postTo(kTv, tvr::TVR_NOMIXER, 0, 0)}));
}

TEST_F(MixerOverFakes, AMixerThatCannotBeOpenedKeepsTheStoredLinesButTouchesNoControl) {
  write("SoundMixer.dat", encodeMixerSettings({true, 0, {{"Master", 7, 8}}}));
  api.openResult = MMSYSERR_ALLOCATED;
  runAll({"new SoundMixer mix", "mix create form", "mix getVolume", "mix setVolume 3", "delete mix"});
  EXPECT_EQ(api.take(), (Calls{"getNumDevs", "open 7700 10000 device 0 0"}));
  EXPECT_EQ(takeReplies(), (Log{postTo(kTv, tvr::TVR_MIXERIDS, 7, 8)}));
}
