// The SoundMixer subcommands through the interpreter: the object over a scripted mixer, its
// replies, and SoundMixer.dat in a folder of the test's own.
#include <gtest/gtest.h>

#include "../recdesk/temp_dir.h"
#include "common/fileio.h"
#include "common/messages.h"
#include "fake_engine.h"
#include "grabcore/core/mixer_ctrl.h"

using Tokens = std::vector<std::string>;

namespace {

const std::vector<MixerLine> kLines = {{"Master", 1, 2}, {"Line In", 3, 4}, {"CD", 5, 6}};

// The test is the factory of its mixer objects and the state of the mixer behind their ports.
struct MixerTest : ::testing::Test, DeviceFactory {
  // A mixer that logs into the host's log; without lines it is a machine without one.
  struct Port : MixerPort {
    explicit Port(MixerTest& t) : t(t) {}
    ~Port() override { t.host.log.push_back("close"); }
    void open(uint64_t window) override { t.host.log.push_back("open " + std::to_string(window)); }
    std::optional<std::vector<MixerLine>> readLines() override {
      t.host.log.push_back("readLines");
      return t.lines;
    }
    std::optional<uint32_t> getVolume(uint32_t id) override { return read(id); }
    std::optional<bool> getMute(uint32_t id) override { return *read(id) != 0; }
    void setVolume(uint32_t id, uint32_t value) override { write(id, value); }
    void setMute(uint32_t id, bool value) override { write(id, value); }
    std::optional<uint32_t> read(uint32_t id) {
      t.host.log.push_back("get " + std::to_string(id));
      return t.values[id];
    }
    void write(uint32_t id, uint32_t value) {
      t.host.log.push_back("set " + std::to_string(id) + " " + std::to_string(value));
      t.values[id] = value;
    }
    MixerTest& t;
  };

  std::shared_ptr<dsMother> make(WaitId kind, lex&) override {
    return kind == WaitId::SoundMixer ? std::make_shared<TMixerCtrl>(host, std::make_unique<Port>(*this), path)
                                      : nullptr;
  }
  MixerTest() { engine.argDwords["form"] = 0x77; }
  Tokens run(std::initializer_list<const char*> lines) {
    for (const char* line : lines) engine.execLine(line);
    return std::exchange(host.log, {});
  }
  std::optional<MixerSettings> stored() const {
    std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(path);
    return data ? decodeMixerSettings(*data) : std::nullopt;
  }
  void store(const MixerSettings& settings) {
    ASSERT_TRUE(tavora::writeFileReplacing(path, encodeMixerSettings(settings)));
  }

  TempDir dir;
  std::string path = dir.file("SoundMixer.dat");
  std::optional<std::vector<MixerLine>> lines;
  std::map<uint32_t, uint32_t> values;
  RecordingHost host;
  lex engine{host, *this};
};

std::string ids(uint64_t volume, int64_t mute) {
  return "postto 119 " + std::to_string(tvr::TVR_MIXERIDS) + " " + std::to_string(volume) + " " + std::to_string(mute);
}
const std::string kNoMixer = "postto 119 " + std::to_string(tvr::TVR_NOMIXER) + " 0 0";

}  // namespace

// The levels' calls and replies are checked over the fakes of the mixer functions.
TEST_F(MixerTest, LinesAreSelectedOnlyOnMutesAndTheSelectionIsSaved) {
  lines = kLines;
  EXPECT_EQ(run({"new SoundMixer mix", "mix create form"}), (Tokens{"open 119", "readLines", ids(1, 2)}));
  // A position outside the list changes nothing.
  EXPECT_EQ(run({"mix getDevList", "mix setCurrentMixDev 1", "mix setMute on", "mix setCurrentMixDev 3",
                 "mix setCurrentMixDev -1", "mix getNowMixerDev"}),
            (Tokens{"copydata 5 22", ids(3, 4), "set 4 0", post(tvr::TVR_MIXDEVINDEX, 1)}));
  run({"delete mix"});
  EXPECT_EQ(stored(), (MixerSettings{true, 1, kLines}));
}

TEST_F(MixerTest, StoredLinesAreUsedWithTheirSelectionOrTheFirstLine) {
  lines = std::vector<MixerLine>{{"Other", 9, 9}};
  for (auto [position, expected] : {std::pair{2, ids(5, 6)}, {3, ids(1, 2)}, {-1, ids(1, 2)}}) {
    store({true, position, kLines});
    EXPECT_EQ(run({"new SoundMixer mix", "mix create form", "delete mix"}), (Tokens{"open 119", expected, "close"}));
  }
  EXPECT_EQ(stored(), (MixerSettings{true, 0, kLines}));
}

TEST_F(MixerTest, AFileWithoutLinesOrDamagedIsAskedAfreshAndASecondCreateListsEveryLineOnce) {
  lines = kLines;
  store(MixerSettings{});  // saved by a start without a sound card
  EXPECT_EQ(run({"new SoundMixer mix", "mix create form", "delete mix"}),
            (Tokens{"open 119", "readLines", ids(1, 2), "close"}));
  EXPECT_EQ(stored(), (MixerSettings{true, 0, kLines}));
  ASSERT_TRUE(tavora::writeFileReplacing(path, {2, 0, 0, 0, 1}));
  EXPECT_EQ(run({"new SoundMixer mix", "mix create form", "mix create form", "mix getDevList"}),
            (Tokens{"open 119", "readLines", ids(1, 2), "open 119", "readLines", ids(1, 2), "copydata 5 22"}));
}

TEST_F(MixerTest, StoredLevelsComeBackAndLevelsNeverStoredAreLeftAlone) {
  lines = kLines;
  values = {{1, 30000}, {2, 1}};
  run({"new SoundMixer mix", "mix create form"});
  EXPECT_EQ(run({"mix setSysVolMute", "mix getSysVolMute", "mix setVolume 0", "mix setMute other",
                 "mix setSysVolMute"}),
            (Tokens{"get 1", "get 2", "set 1 0", "set 2 0", "set 1 30000", "set 2 1"}));
}

TEST_F(MixerTest, OnlyAnObjectThatRanCreateSavesAndAFailedSaveIsShown) {
  store({true, 1, kLines});
  run({"new SoundMixer mix", "delete mix"});
  EXPECT_EQ(stored(), (MixerSettings{true, 1, kLines}));
  path = dir.file("missing/SoundMixer.dat");
  EXPECT_EQ(run({"new SoundMixer mix", "mix create form", "delete mix"}),
            (Tokens{"open 119", "readLines", kNoMixer, "error " + sj("ファイル「SoundMixer.dat」を生成できませんでした。"),
                    "close"}));
}
