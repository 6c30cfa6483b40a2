// The sound mixer through engine lines over a fake of the mixer functions: the exact calls,
// the replies, and SoundMixer.dat in a folder of the test's own.
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "common/messages.h"
#include "fake_mixer_api.h"
#include "grabcore/core/mixer_settings.h"
#include "vcap/vcap_fixture.h"

using Calls = std::vector<std::string>;
using Log = std::vector<std::wstring>;
using mixertest::FakeMixerApi;
using vcaptest::post;
using vcaptest::postTo;

namespace {

constexpr long long kTvWindow = 0x7700;
const std::string kDestination = "getLineInfo 4d00 80000003 type 4";
const std::string kOpen = "open 0 7700 0 10000";

class MixerOverFakes : public fakes::EngineOverFakes {
 protected:
  MixerOverFakes() {
    devices.programDir = folder.path();
    devices.mixerApi = &api;
    engine->argDwords["form"] = kTvWindow;
    api.destination = {L"Master Volume", 0xffff0000, {{MIXERCONTROL_CONTROLTYPE_VOLUME, 1}, {MIXERCONTROL_CONTROLTYPE_MUTE, 2}}};
    api.sources = {{L"ライン", 0x1000, {{MIXERCONTROL_CONTROLTYPE_MUTE, 4}, {MIXERCONTROL_CONTROLTYPE_VOLUME, 3}}},
                   {L"CD", 0x1001, {{MIXERCONTROL_CONTROLTYPE_VOLUME, 5}, {MIXERCONTROL_CONTROLTYPE_MUTE, 6}}}};
  }
  std::vector<std::wstring> takeReplies() {
    std::vector<std::wstring> replies = std::move(host.replies);
    host.replies.clear();
    return replies;
  }
  std::optional<MixerSettings> stored() const {
    std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(folder.path() + "SoundMixer.dat");
    return data ? decodeMixerSettings(*data) : std::nullopt;
  }
  static std::string controls(const std::string& line, const char* type) {
    return "getLineControls 4d00 80000002 line " + line + " type " + type + " count 1";
  }

  vcaptest::TempFolder folder;
  FakeMixerApi api;
};

}  // namespace

TEST_F(MixerOverFakes, CreateFindsTheSpeakersAndTheirSourcesAndNamesThemInShiftJis) {
  runAll({"new SoundMixer mix", "mix create form"});
  EXPECT_EQ(api.take(), (Calls{"getNumDevs", kOpen, "getId 4d00 80000000", kDestination,
                               controls("ffff0000", "50030001"), controls("ffff0000", "20010002"),
                               "getLineInfo 4d00 80000001 source 0.0", controls("1000", "50030001"),
                               controls("1000", "20010002"), "getLineInfo 4d00 80000001 source 0.1",
                               controls("1001", "50030001"), controls("1001", "20010002")}));
  EXPECT_EQ(takeReplies(), (Log{postTo(kTvWindow, tvr::TVR_MIXERIDS, 1, 2)}));
  run("mix getDevList");
  ASSERT_EQ(host.copyData.size(), 1u);
  std::vector<uint8_t> block = {3, 0, 0, 0};
  for (const std::string& name : {std::string("Master Volume"), vcaptest::sj(L"ライン"), std::string("CD")}) {
    block.insert(block.end(), name.begin(), name.end());
    block.push_back(0);
  }
  EXPECT_EQ(host.copyData[0], block);
  EXPECT_EQ(takeReplies(), (Log{L"copydata 5 " + std::to_wstring(block.size())}));
  EXPECT_TRUE(api.take().empty());
  engine->destroyAllObjects();
  EXPECT_EQ(api.take(), Calls{"close 4d00"});
  std::optional<MixerSettings> settings = stored();
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->lines[1], (MixerLine{vcaptest::sj(L"ライン"), 3, 4}));
}

TEST_F(MixerOverFakes, VolumeAndMuteOfTheSelectedLine) {
  api.values = {{3, 21000}, {4, 1}};
  runAll({"new SoundMixer mix", "mix create form"});
  api.take();
  takeReplies();
  runAll({"mix setCurrentMixDev 1", "mix getVolume", "mix getMute", "mix setVolume 65535", "mix setMute ON",
          "mix setMute on"});
  const std::string details = " 4d00 80000000 control ";
  EXPECT_EQ(api.take(), (Calls{"getControlDetails" + details + "3 channels 1 items 0",
                               "getControlDetails" + details + "4 channels 1 items 0",
                               "setControlDetails" + details + "3 channels 1 items 0 value 65535",
                               "setControlDetails" + details + "4 channels 1 items 0 value 1",
                               "setControlDetails" + details + "4 channels 1 items 0 value 0"}));
  EXPECT_EQ(takeReplies(), (Log{postTo(kTvWindow, tvr::TVR_MIXERIDS, 3, 4), post(tvr::TVR_VOLUME, 21000, 0),
                                post(tvr::TVR_MUTE, 1, 0)}));
  // A read the mixer refuses posts nothing, rather than a value never read.
  api.failing = {"getControlDetails"};
  runAll({"mix getVolume", "mix getMute"});
  EXPECT_EQ(api.take().size(), 2u);
  EXPECT_TRUE(takeReplies().empty());
}

TEST_F(MixerOverFakes, WithoutAMixerDeviceNothingIsOpenedOrClosed) {
  api.devices = 0;
  runAll({"new SoundMixer mix", "mix create form", "mix getVolume", "mix setMute ON", "delete mix"});
  EXPECT_EQ(api.take(), Calls{"getNumDevs"});
  EXPECT_EQ(takeReplies(), (Log{postTo(kTvWindow, tvr::TVR_NOMIXER, 0, 0)}));
  EXPECT_EQ(stored(), MixerSettings{});
}

TEST_F(MixerOverFakes, AMixerThatCannotBeOpenedKeepsTheStoredLinesButTouchesNoControl) {
  ASSERT_TRUE(tavora::writeFileReplacing(folder.path() + "SoundMixer.dat",
                                         encodeMixerSettings({true, 0, {{"Master", 7, 8}}})));
  api.openResult = MMSYSERR_ALLOCATED;
  runAll({"new SoundMixer mix", "mix create form", "mix getVolume", "mix getMute", "mix setVolume 3", "delete mix"});
  EXPECT_EQ(api.take(), (Calls{"getNumDevs", kOpen}));
  EXPECT_EQ(takeReplies(), (Log{postTo(kTvWindow, tvr::TVR_MIXERIDS, 7, 8)}));
}

TEST_F(MixerOverFakes, ASourceWithoutAMuteMakesTheMixerUnusable) {
  api.mixerId = 1;  // not the first mixer: the lines are read all the same
  api.sources[1].controls.erase(MIXERCONTROL_CONTROLTYPE_MUTE);
  runAll({"new SoundMixer mix", "mix create form"});
  Calls calls = api.take();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), controls("1001", "20010002"));
  EXPECT_EQ(takeReplies(), (Log{postTo(kTvWindow, tvr::TVR_NOMIXER, 0, 0)}));
}
