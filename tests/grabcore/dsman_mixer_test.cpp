// The SoundMixer subcommands through the interpreter: the object over a scripted mixer port,
// its replies, and SoundMixer.dat in a folder of the test's own.
#include <gtest/gtest.h>

#include "../recdesk/temp_dir.h"
#include "common/fileio.h"
#include "common/messages.h"
#include "fake_engine.h"
#include "grabcore/core/mixer_ctrl.h"

using Tokens = std::vector<std::string>;

namespace {

constexpr uint64_t kTvWindow = 0x7700;

// A mixer whose calls are logged into the host's log; without lines it is a machine without one.
class FakeMixerPort : public MixerPort {
 public:
  struct State {
    std::optional<std::vector<MixerLine>> lines;
    std::map<uint32_t, uint32_t> values;  // by control identifier
    bool unreadable = false;
  };
  FakeMixerPort(RecordingHost& host, State& state) : host_(host), state_(state) {}
  ~FakeMixerPort() override { host_.log.push_back("port close"); }
  void open(uint64_t window) override { host_.log.push_back("port open " + std::to_string(window)); }
  std::optional<std::vector<MixerLine>> readLines() override {
    host_.log.push_back("port readLines");
    return state_.lines;
  }
  std::optional<uint32_t> getVolume(uint32_t id) override { return read("getVolume", id); }
  std::optional<bool> getMute(uint32_t id) override {
    std::optional<uint32_t> value = read("getMute", id);
    return value ? std::optional<bool>(*value != 0) : std::nullopt;
  }
  void setVolume(uint32_t id, uint32_t volume) override { write("setVolume", id, volume); }
  void setMute(uint32_t id, bool mute) override { write("setMute", id, mute ? 1 : 0); }

 private:
  std::optional<uint32_t> read(const std::string& what, uint32_t id) {
    host_.log.push_back("port " + what + " " + std::to_string(id));
    if (state_.unreadable) return std::nullopt;
    return state_.values[id];
  }
  void write(const std::string& what, uint32_t id, uint32_t value) {
    host_.log.push_back("port " + what + " " + std::to_string(id) + " " + std::to_string(value));
    state_.values[id] = value;
  }
  RecordingHost& host_;
  State& state_;
};

class MixerFactory : public DeviceFactory {
 public:
  MixerFactory(RecordingHost& host, FakeMixerPort::State& state, std::string path)
      : host_(host), state_(state), path_(std::move(path)) {}
  std::shared_ptr<dsMother> make(WaitId kind, lex&) override {
    if (kind != WaitId::SoundMixer) return nullptr;
    return std::make_shared<TMixerCtrl>(host_, std::make_unique<FakeMixerPort>(host_, state_), path_);
  }

 private:
  RecordingHost& host_;
  FakeMixerPort::State& state_;
  std::string path_;
};

std::string postTo(unsigned msg, uint64_t w, int64_t l) {
  return "postto " + std::to_string(kTvWindow) + " " + std::to_string(msg) + " " + std::to_string(w) + " " +
         std::to_string(l);
}
std::string post(unsigned msg, uint64_t w) { return "post " + std::to_string(msg) + " " + std::to_string(w) + " 0"; }

const std::vector<MixerLine> kLines = {{"Master", 1, 2}, {"Line In", 3, 4}, {"CD", 5, 6}};

struct MixerTest : ::testing::Test {
  TempDir dir;
  std::string path = dir.file("SoundMixer.dat");
  RecordingHost host;
  FakeMixerPort::State mixer;
  MixerFactory factory{host, mixer, path};
  lex engine{host, factory};

  MixerTest() {
    engine.frontWnd = 0x1000;
    engine.argDwords["form"] = kTvWindow;
  }
  // The log since the last call.
  Tokens take() {
    Tokens log = std::move(host.log);
    host.log.clear();
    return log;
  }
  // "new SoundMixer mix" and "mix create form"; answers what create did.
  Tokens create() {
    engine.execLine("new SoundMixer mix");
    engine.execLine("mix create form");
    return take();
  }
  std::optional<MixerSettings> stored() const {
    std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(path);
    return data ? decodeMixerSettings(*data) : std::nullopt;
  }
  void store(const MixerSettings& settings) { ASSERT_TRUE(tavora::writeFileReplacing(path, encodeMixerSettings(settings))); }
};

}  // namespace

TEST_F(MixerTest, WithoutAMixerOnlyTheNoMixerNoticeComesAndTheFileSaysNotValid) {
  EXPECT_EQ(create(), (Tokens{"port open " + std::to_string(kTvWindow), "port readLines",
                              postTo(tvr::TVR_NOMIXER, 0, 0)}));
  for (const char* line : {"mix getVolume", "mix getMute", "mix getDevList", "mix getNowMixerDev",
                           "mix setCurrentMixDev 0", "mix setVolume 5", "mix setMute ON", "mix getSysVolMute",
                           "mix setSysVolMute"})
    EXPECT_TRUE(engine.execLine(line)) << line;
  EXPECT_EQ(take(), Tokens{});
  engine.execLine("delete mix");
  EXPECT_EQ(take(), Tokens{"port close"});
  EXPECT_EQ(tavora::readWholeFile(path), encodeMixerSettings(MixerSettings{}));
}

TEST_F(MixerTest, LinesAreFoundSelectedReadAndSet) {
  mixer.lines = kLines;
  mixer.values = {{1, 40000}, {2, 0}, {3, 1200}, {4, 1}};
  EXPECT_EQ(create(), (Tokens{"port open " + std::to_string(kTvWindow), "port readLines",
                              postTo(tvr::TVR_MIXERIDS, 1, 2)}));
  engine.execLine("mix getDevList");
  engine.execLine("mix getNowMixerDev");
  engine.execLine("mix setCurrentMixDev 1");
  engine.execLine("mix getNowMixerDev");
  engine.execLine("mix getVolume");
  engine.execLine("mix getMute");
  engine.execLine("mix setVolume 65535");
  engine.execLine("mix setMute on");
  engine.execLine("mix setMute ON");
  EXPECT_EQ(take(), (Tokens{"copydata 5 22", post(tvr::TVR_MIXDEVINDEX, 0), postTo(tvr::TVR_MIXERIDS, 3, 4),
                            post(tvr::TVR_MIXDEVINDEX, 1), "port getVolume 3", post(tvr::TVR_VOLUME, 1200),
                            "port getMute 4", post(tvr::TVR_MUTE, 1), "port setVolume 3 65535", "port setMute 4 0",
                            "port setMute 4 1"}));
  // A position outside the list leaves the selection alone.
  engine.execLine("mix setCurrentMixDev 3");
  engine.execLine("mix setCurrentMixDev -1");
  engine.execLine("mix getNowMixerDev");
  EXPECT_EQ(take(), (Tokens{post(tvr::TVR_MIXDEVINDEX, 1)}));
  engine.execLine("delete mix");
  MixerSettings expected{true, 1, kLines};
  EXPECT_EQ(stored(), expected);
}

TEST_F(MixerTest, AReadThatFailsPostsNothing) {
  mixer.lines = kLines;
  mixer.unreadable = true;
  create();
  engine.execLine("mix getVolume");
  engine.execLine("mix getMute");
  EXPECT_EQ(take(), (Tokens{"port getVolume 1", "port getMute 2"}));
}

TEST_F(MixerTest, StoredLinesAreUsedWithTheirSelection) {
  store({true, 2, kLines});
  mixer.lines = std::vector<MixerLine>{{"Other", 9, 9}};
  EXPECT_EQ(create(), (Tokens{"port open " + std::to_string(kTvWindow), postTo(tvr::TVR_MIXERIDS, 5, 6)}));
  engine.execLine("mix getNowMixerDev");
  EXPECT_EQ(take(), (Tokens{post(tvr::TVR_MIXDEVINDEX, 2)}));
}

TEST_F(MixerTest, StoredPositionOutsideTheListFallsBackToTheFirstLine) {
  for (int32_t position : {3, -1}) {
    store({true, position, kLines});
    EXPECT_EQ(create().back(), postTo(tvr::TVR_MIXERIDS, 1, 2)) << position;
    engine.execLine("delete mix");
    EXPECT_EQ(stored()->position, 0);
  }
}

TEST_F(MixerTest, AFileWithoutLinesOrDamagedIsEnumeratedAfresh) {
  mixer.lines = kLines;
  // Saved by a start without a sound card: the card found now is used.
  store(MixerSettings{});
  EXPECT_EQ(create().back(), postTo(tvr::TVR_MIXERIDS, 1, 2));
  engine.execLine("delete mix");
  EXPECT_EQ(stored(), (MixerSettings{true, 0, kLines}));
  take();
  ASSERT_TRUE(tavora::writeFileReplacing(path, {2, 0, 0, 0, 1}));
  EXPECT_EQ(create(), (Tokens{"port open " + std::to_string(kTvWindow), "port readLines",
                              postTo(tvr::TVR_MIXERIDS, 1, 2)}));
}

TEST_F(MixerTest, ASecondCreateListsEveryLineOnce) {
  mixer.lines = kLines;
  create();
  engine.execLine("mix create form");
  engine.execLine("mix getDevList");
  EXPECT_EQ(host.only("copydata"), Tokens{"copydata 5 22"});
}

TEST_F(MixerTest, StoredLevelsComeBackAndLevelsNeverStoredAreLeftAlone) {
  mixer.lines = kLines;
  mixer.values = {{1, 30000}, {2, 1}};
  create();
  engine.execLine("mix setSysVolMute");
  EXPECT_EQ(take(), Tokens{});
  engine.execLine("mix getSysVolMute");
  engine.execLine("mix setVolume 0");
  engine.execLine("mix setMute other");
  engine.execLine("mix setSysVolMute");
  EXPECT_EQ(take(), (Tokens{"port getVolume 1", "port getMute 2", "port setVolume 1 0", "port setMute 2 0",
                            "port setVolume 1 30000", "port setMute 2 1"}));
}

TEST_F(MixerTest, AnObjectThatNeverRanCreateKeepsTheStoredFile) {
  store({true, 1, kLines});
  engine.execLine("new SoundMixer mix");
  engine.execLine("delete mix");
  EXPECT_EQ(stored(), (MixerSettings{true, 1, kLines}));
}

TEST_F(MixerTest, RemoveIsAWordOfAnotherKindAndTheWholeUndoListRuns) {
  mixer.lines = kLines;
  create();
  engine.execLine("label setMixer");
  EXPECT_FALSE(engine.execLine("mix remove"));
  EXPECT_EQ(take(), (Tokens{"error " + sj("クラス「dsMan」の「func_Mixer()」で予期しないサブコマンドを受け取りました。"),
                            "port close"}));
  EXPECT_TRUE(engine.undoList.empty());
  EXPECT_TRUE(stored().has_value());
}

TEST_F(MixerTest, AFileThatCannotBeWrittenIsReported) {
  path = dir.file("missing") + "/SoundMixer.dat";
  MixerFactory elsewhere{host, mixer, path};
  lex other{host, elsewhere};
  other.argDwords["form"] = kTvWindow;
  other.execLine("new SoundMixer mix");
  other.execLine("mix create form");
  take();
  other.execLine("delete mix");
  EXPECT_EQ(take(), (Tokens{"error " + sj("ファイル「SoundMixer.dat」を生成できませんでした。"), "port close"}));
}
