// The TvTuner subcommands through the interpreter, over a scripted card and scripted scan
// windows: discovery, first run, loading, tuning, stepping, the editor and the scan.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <unistd.h>

#include "common/fileio.h"
#include "common/messages.h"
#include "fake_engine.h"
#include "grabcore/core/errors.h"
#include "grabcore/core/tv_tuner.h"

using Log = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

namespace {

std::string post(unsigned msg, long long w, long long l = 0) {
  return "post " + std::to_string(msg) + " " + std::to_string(w) + " " + std::to_string(l);
}

// A card whose calls are logged in the host's log; one call (by its log prefix) can fail.
class FakeCard : public TunerDevices {
 public:
  explicit FakeCard(RecordingHost& host) : host_(host) {}
  bool discover(TGraphBuilder*) override { return held_ = op("discover") && present; }
  bool held() const override { return held_; }
  bool putModeTv() override { return op("putMode"); }
  bool putInputType(uint8_t type) override { return op("putInputType " + std::to_string(type)); }
  bool putChannel(uint16_t channel) override {
    if (!op("putChannel " + std::to_string(channel))) return false;
    channel_ = channel;
    return true;
  }
  bool channelMinMax(int32_t& min, int32_t& max) override {
    if (!op("minmax")) return false;
    min = 1;
    max = type_ == 1 ? antennaMax : cableMax;
    return true;
  }
  bool autoTune(int32_t channel) override { return op("autoTune " + std::to_string(channel)) && signals.count(channel); }
  bool route(bool upstream, int32_t output, int32_t input) override {
    return op(std::string("route ") + (upstream ? "up " : "down ") + std::to_string(output) + " " +
              std::to_string(input));
  }
  void removeOthers(TGraphBuilder* graph) override { op(graph ? "nuke graph" : "nuke none"); }
  void release() override {
    op("release");
    held_ = false;
  }

  bool present = true;
  std::set<int32_t> signals;
  int32_t antennaMax = 3;
  int32_t cableMax = 4;
  std::string failing;

 private:
  bool op(const std::string& what) {
    if (what.rfind("putInputType ", 0) == 0) type_ = static_cast<uint8_t>(what.back() - '0');
    host_.log.push_back("card " + what);
    return failing.empty() || what.rfind(failing, 0) != 0;
  }
  RecordingHost& host_;
  bool held_ = false;
  uint8_t type_ = 1;
  uint16_t channel_ = 0;
};

class FakeProgress : public ScanProgress {
 public:
  explicit FakeProgress(RecordingHost& host) : host_(host) {}
  ~FakeProgress() override { host_.log.push_back("progress close"); }
  void setCaption(const std::string& caption) override { host_.log.push_back("progress caption " + caption); }
  void setMaximum(int32_t maximum) override { host_.log.push_back("progress max " + std::to_string(maximum)); }
  void setPosition(int32_t position) override { host_.log.push_back("progress pos " + std::to_string(position)); }
  void pump() override { host_.log.push_back("progress pump"); }

 private:
  RecordingHost& host_;
};

class FakeDialogs : public TunerDialogs {
 public:
  explicit FakeDialogs(RecordingHost& host) : host_(host) {}
  int askScan() override {
    host_.log.push_back("ask");
    return answer;
  }
  std::unique_ptr<ScanProgress> openProgress(const std::string& caption) override {
    host_.log.push_back("progress open " + caption);
    return std::make_unique<FakeProgress>(host_);
  }
  int answer = kScanAntenna;

 private:
  RecordingHost& host_;
};

// Keeps the blocks' bytes as well.
class BlockHost : public RecordingHost {
 public:
  std::vector<Bytes> blocks;
  void sendCopyDataToFront(uint32_t kind, const std::vector<uint8_t>& block) override {
    RecordingHost::sendCopyDataToFront(kind, block);
    blocks.push_back(block);
  }
};

class TunerFactory : public DeviceFactory {
 public:
  TunerFactory(BlockHost& host, TunerDialogs& dialogs, std::string dir) : host_(host), dialogs_(dialogs), dir_(dir) {}
  std::shared_ptr<dsMother> make(WaitId kind, lex&) override {
    if (kind == WaitId::GraphBuilder) return std::make_shared<FakeGraph>(host_, "graph", std::set<std::string>{});
    if (kind != WaitId::TvTuner) return nullptr;
    auto card = std::make_unique<FakeCard>(host_);
    lastCard = card.get();
    if (configure) configure(*card);
    return std::make_shared<TTvTuner>(host_, std::move(card), dialogs_, dir_);
  }
  FakeCard* lastCard = nullptr;
  std::function<void(FakeCard&)> configure;

 private:
  BlockHost& host_;
  TunerDialogs& dialogs_;
  std::string dir_;
};

class TunerTest : public ::testing::Test {
 protected:
  TunerTest() {
    engine.frontWnd = 0x1000;
    std::filesystem::create_directories(dir);
  }
  ~TunerTest() override { std::filesystem::remove_all(dir); }

  // Makes "cFg" and "tune" and runs "tune create cFg"; the log then starts afresh.
  bool create() {
    engine.execLine("new GraphBuilder cFg");
    engine.execLine("new TvTuner tune");
    const bool ok = engine.execLine("tune create cFg");
    return ok;
  }
  bool run(const std::string& line) {
    host.log.clear();
    host.blocks.clear();
    return engine.execLine(line);
  }
  std::string path(const char* name) const { return dir + name; }
  std::optional<Bytes> file(const char* name) const { return tavora::readWholeFile(path(name)); }
  void writeTable(const ChannelTable& table) const {
    tavora::writeFileReplacing(path("TvTuner.dat"), tavora::buildTunerDat(table.toFile()));
    tavora::writeFileReplacing(path("TvTuner.dat2"), tavora::buildTunerDat2(table.typeRecords()));
  }
  std::shared_ptr<TTvTuner> tuner() const { return std::dynamic_pointer_cast<TTvTuner>(engine.object("tune")); }
  std::optional<tavora::TunerFile> stored() const { return tavora::parseTunerDat(*file("TvTuner.dat")); }
  Log without(const std::string& prefix) const {
    Log out;
    for (const std::string& e : host.log)
      if (e.rfind(prefix, 0) != 0) out.push_back(e);
    return out;
  }

  std::string dir = (std::filesystem::temp_directory_path() / ("tuner_test_" + std::to_string(getpid()))).string() + "/";
  BlockHost host;
  FakeDialogs dialogs{host};
  TunerFactory factory{host, dialogs, dir};
  lex engine{host, factory};
};

// 10CH (key 10, cable), Composite, 4CH (key 12), in that order; 4CH current.
ChannelTable storedTable() {
  ChannelTable t;
  t.antennaMax = 62;
  t.cableMax = 113;
  t.channels = {{10, 10, "10CH", 0}, {65535, -1, "Composit", 1}, {12, 4, "4CH", 1}};
  t.setCurrent(2);
  return t;
}

const std::string kScanBase = sj("チャンネルの自動スキャン中");

}  // namespace

TEST_F(TunerTest, FirstRunAsksScansAppendsTheInputsSavesAndReportsInOrder) {
  factory.configure = [](FakeCard& card) { card.signals = {1, 3}; };
  ASSERT_TRUE(create());
  const Log expected = {
      "card discover",
      "card putMode", "card putInputType 1", "card putChannel 1", "card minmax",
      "card putMode", "card putInputType 0", "card putChannel 1", "card minmax",
      "ask", "progress open " + kScanBase, "card putMode", "card putInputType 1", "card route down 0 1",
      "progress max 3",
      "card autoTune 1", "progress pos 1", "progress caption " + kScanBase + " 1CH:" + sj("○"), "progress pump",
      "card autoTune 2", "progress max 3", "progress pos 2", "progress caption " + kScanBase + " 2CH:" + sj("×"),
      "progress pump",
      "card autoTune 3", "progress pos 3", "progress caption " + kScanBase + " 3CH:" + sj("○"), "progress pump",
      "progress close",
      post(tvr::TVR_ANTRANGE, 1, 3), post(tvr::TVR_CBLRANGE, 1, 4),
      "copydata 1 4",
      "card putMode", "card putInputType 1", "card putChannel 1", "card route up 3 4", "card route down 0 1",
      "card autoTune 1", post(tvr::TVR_SIGNAL, 1), post(tvr::TVR_CHANNEL, 1),
      post(tvr::TVR_ISANTENNA, 1)};
  EXPECT_EQ(host.log, expected);
  EXPECT_EQ(host.blocks.back(), (Bytes{'1', 'C', 'H', 0}));

  const std::optional<tavora::TunerFile> saved = stored();
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->currentKey, 1);
  EXPECT_EQ(saved->antennaMax, 3);
  EXPECT_EQ(saved->cableMax, 4);
  EXPECT_EQ(saved->entries, (std::vector<tavora::TunerFileEntry>{
                                {1, 1, "1CH"}, {3, 3, "3CH"}, {65535, -1, "Composit"}, {65534, -2, "S-Video"}}));
  EXPECT_EQ(tavora::parseTunerDat2(*file("TvTuner.dat2")),
            (std::vector<tavora::TunerTypeRecord>{{1, 1}, {3, 1}, {65535, 1}, {65534, 1}}));
}

TEST_F(TunerTest, FirstRunWithoutScanTunesCompositeThroughTheCrossbarsOnly) {
  dialogs.answer = kScanNone;
  ASSERT_TRUE(create());
  EXPECT_EQ(Log(host.log.end() - 7, host.log.end()),
            (Log{"copydata 1 9", post(tvr::TVR_SIGNAL, 1), "card route up 3 4", "card route up 3 3",
                 "card route down 0 0", post(tvr::TVR_CHANNEL, 65535), post(tvr::TVR_ISANTENNA, 1)}));
  EXPECT_TRUE(host.only("progress").empty());
  ASSERT_TRUE(stored());
  EXPECT_EQ(stored()->entries.size(), 2u);
  EXPECT_EQ(stored()->currentKey, 65535);

  ASSERT_TRUE(run("tune setCh 65534"));
  EXPECT_EQ(host.log, (Log{"copydata 1 8", post(tvr::TVR_SIGNAL, 1), "card route up 3 4", "card route up 3 3",
                           "card route down 0 2", post(tvr::TVR_CHANNEL, 65534)}));
}

TEST_F(TunerTest, CableAnswerScansTheCableRangeAndMarksTheTunerCable) {
  dialogs.answer = kScanCable;
  factory.configure = [](FakeCard& card) { card.signals = {4}; };
  ASSERT_TRUE(create());
  EXPECT_EQ(host.only("card autoTune").front(), "card autoTune 1");
  EXPECT_EQ(host.only(post(tvr::TVR_ISANTENNA, 0).substr(0, 9)).back(), post(tvr::TVR_ISANTENNA, 2));
  EXPECT_EQ(stored()->inputType, 0);
  EXPECT_EQ(tavora::parseTunerDat2(*file("TvTuner.dat2"))->front(), (tavora::TunerTypeRecord{4, 0}));
}

TEST_F(TunerTest, LoadingTakesTheStoredTableRangesAndCurrentChannel) {
  writeTable(storedTable());
  ASSERT_TRUE(create());
  EXPECT_TRUE(host.only("ask").empty());
  EXPECT_EQ(host.only("post"), (Log{post(tvr::TVR_ANTRANGE, 1, 62), post(tvr::TVR_CBLRANGE, 1, 113),
                                    post(tvr::TVR_SIGNAL, 0), post(tvr::TVR_CHANNEL, 12),
                                    post(tvr::TVR_ISANTENNA, 1)}));
  EXPECT_EQ(tuner()->table().channels, storedTable().channels);
  EXPECT_EQ(host.only("card putChannel"), (Log{"card putChannel 4"}));
}

TEST_F(TunerTest, AFailedDiscoveryIsSilentAndNeverTouchesTheFiles) {
  writeTable(storedTable());
  const Bytes dat = *file("TvTuner.dat"), dat2 = *file("TvTuner.dat2");
  factory.configure = [](FakeCard& card) { card.present = false; };
  ASSERT_TRUE(create());
  EXPECT_EQ(host.log, (Log{"card discover"}));
  ASSERT_TRUE(run("tune saveTunerDat"));
  // Tuning reports its error before any device call; the error's undo then removes the object.
  EXPECT_FALSE(run("tune setCh 12"));
  EXPECT_EQ(host.log.at(0), "error " + sj("クラス「TTvTuner」で「put_Mode」に失敗しました。"));
  EXPECT_EQ(host.only("card"), (Log{"card release"}));
  EXPECT_EQ(*file("TvTuner.dat"), dat);
  EXPECT_EQ(*file("TvTuner.dat2"), dat2);
}

TEST_F(TunerTest, ACorruptTableFileIsReportedAndLeftAsItIs) {
  writeTable(storedTable());
  Bytes dat = *file("TvTuner.dat");
  dat.resize(dat.size() - 3);  // half written
  tavora::writeFileReplacing(path("TvTuner.dat"), dat);
  EXPECT_FALSE(create());
  EXPECT_EQ(host.only("error"), (Log{"error " + sj("データファイル「TvTuner.dat」が存在するのに開けません。")}));
  EXPECT_TRUE(host.only("post").empty());
  engine.destroyAllObjects();
  EXPECT_EQ(*file("TvTuner.dat"), dat);
}

TEST_F(TunerTest, AFailedRangeQueryWritesNothingAndLeavesTheFirstRunForNextTime) {
  factory.configure = [](FakeCard& card) { card.failing = "minmax"; };
  EXPECT_FALSE(create());
  EXPECT_EQ(host.only("error"),
            (Log{"error " + sj("TTvTuner::getChRange() で IAMTVTuner::ChannelMinMax() に失敗しました。")}));
  engine.destroyAllObjects();
  EXPECT_FALSE(tavora::fileExists(path("TvTuner.dat")));
  EXPECT_FALSE(tavora::fileExists(path("TvTuner.dat2")));
}

TEST_F(TunerTest, TuningStopsAtTheFailingStepWithItsText) {
  writeTable(storedTable());
  factory.configure = [](FakeCard& card) { card.failing = "putChannel"; };
  EXPECT_FALSE(create());
  const Log head(host.log.begin(), host.log.begin() + 9);
  EXPECT_EQ(head, (Log{"card discover", post(tvr::TVR_ANTRANGE, 1, 62), post(tvr::TVR_CBLRANGE, 1, 113),
                       "copydata 1 4", "card putMode", "card putInputType 1", "card putChannel 4",
                       "error " + sj("クラス「TTvTuner」で「put_Channel」に失敗しました。"), "card release"}));
  EXPECT_TRUE(host.only(post(tvr::TVR_SIGNAL, 0).substr(0, 9)).empty());
}

TEST_F(TunerTest, SetChSelectsByUnsignedKeyAndStepsWrap) {
  writeTable(storedTable());
  ASSERT_TRUE(create());
  ASSERT_TRUE(run("tune setCh -1"));
  EXPECT_EQ(host.log, Log{});
  ASSERT_TRUE(run("tune setCh 65535"));
  EXPECT_EQ(host.only("post " + std::to_string(tvr::TVR_CHANNEL)), (Log{post(tvr::TVR_CHANNEL, 65535)}));
  ASSERT_TRUE(run("tune decChannel"));
  EXPECT_EQ(host.only("post " + std::to_string(tvr::TVR_CHANNEL)), (Log{post(tvr::TVR_CHANNEL, 10)}));
  EXPECT_EQ(host.only("card putInputType"), (Log{"card putInputType 0"}));  // 10CH is a cable channel
  ASSERT_TRUE(run("tune decChannel"));
  EXPECT_EQ(host.only("post " + std::to_string(tvr::TVR_CHANNEL)), (Log{post(tvr::TVR_CHANNEL, 12)}));
  ASSERT_TRUE(run("tune incChannel"));
  EXPECT_EQ(host.only("post " + std::to_string(tvr::TVR_CHANNEL)), (Log{post(tvr::TVR_CHANNEL, 10)}));
  EXPECT_THROW(run("tune setCh "), LanguageError);  // an empty key does not convert
}

TEST_F(TunerTest, AddChToListSendsTheFreeKeysTunesAndPostsChAdded) {
  writeTable(storedTable());
  ASSERT_TRUE(create());
  ASSERT_TRUE(run("tune addChToList 1 NEW 1 ANT"));
  const std::string numbers = "copydata 3 " + std::to_string(4 + 9 * 2 + 50 * 3);  // 1..61 less 10, 12
  EXPECT_EQ(without("card"), (Log{numbers, "copydata 1 4", post(tvr::TVR_SIGNAL, 0),
                                  post(tvr::TVR_CHANNEL, 1), post(tvr::TVR_CHADDED, 0)}));
  EXPECT_EQ(Bytes(host.blocks.front().begin(), host.blocks.front().begin() + 8), (Bytes{59, 0, 0, 0, '1', 0, '2', 0}));
  EXPECT_EQ(tuner()->table().channels[1], (ChannelSet{1, 1, "NEW", 1}));
  ASSERT_TRUE(run("tune addChToList 4 X 1 ANT"));  // past the end
  EXPECT_EQ(host.log, Log{});
}

TEST_F(TunerTest, EditorLinesChangeMemoryUntilSaveTunerDat) {
  writeTable(storedTable());
  ASSERT_TRUE(create());
  const Bytes before = *file("TvTuner.dat");
  EXPECT_THROW(run("tune changeChValue x A 5 x ANT"), LanguageError);
  EXPECT_EQ(tuner()->table().channels, storedTable().channels);
  ASSERT_TRUE(run("tune changeChValue 0 A 5 7 ANT"));
  ASSERT_TRUE(run("tune chIndexToLower 0"));
  ASSERT_TRUE(run("tune delChFromList 0"));
  ASSERT_TRUE(run("tune chIndexToUpper 1"));
  ASSERT_TRUE(run("tune delChFromList -1"));
  EXPECT_EQ(host.log, Log{});
  EXPECT_EQ(*file("TvTuner.dat"), before);
  ASSERT_TRUE(run("tune setCaption"));
  EXPECT_EQ(host.blocks, (std::vector<Bytes>{{'4', 'C', 'H', 0}}));
  ASSERT_TRUE(run("tune setCaption 21:00"));
  EXPECT_EQ(host.blocks, (std::vector<Bytes>{{'4', 'C', 'H', ' ', '2', '1', ':', '0', '0', 0}}));
  ASSERT_TRUE(run("tune prChannelToListview"));
  EXPECT_EQ(host.blocks, (std::vector<Bytes>{tuner()->table().channelListBlock()}));
  EXPECT_EQ(host.log, (Log{"copydata 2 " + std::to_string(host.blocks.at(0).size())}));
  ASSERT_TRUE(run("tune setSelChCombo CBL"));
  EXPECT_EQ(host.blocks, (std::vector<Bytes>{tuner()->table().freeChannelsBlock(0)}));
  ASSERT_TRUE(run("tune saveTunerDat"));
  EXPECT_EQ(stored()->entries, (std::vector<tavora::TunerFileEntry>{{12, 4, "4CH"}, {5, 7, "A"}}));
  EXPECT_EQ(stored()->currentKey, 12);
}

TEST_F(TunerTest, RescanAppendsWithFreeKeysAndAFailedStartEndsTheScan) {
  writeTable(storedTable());
  factory.configure = [](FakeCard& card) {
    card.signals = {10};
    card.cableMax = 11;
  };
  ASSERT_TRUE(create());
  ASSERT_TRUE(run("tune searchChannel ANT"));  // the stored antenna range, 1..62
  EXPECT_EQ(host.only("card autoTune").size(), 62u);
  EXPECT_EQ(host.only("progress caption").back(), "progress caption " + kScanBase + " 62CH:" + sj("×"));
  EXPECT_EQ(tuner()->table().channels.back(), (ChannelSet{1, 10, "10CH", 1}));
  EXPECT_EQ(tuner()->table().current()->key, 12);
  EXPECT_TRUE(host.only("post").empty());

  factory.lastCard->failing = "putInputType";
  ASSERT_TRUE(run("tune searchChannel CBL"));
  EXPECT_EQ(without("card"), (Log{"progress open " + kScanBase, "progress close",
                                  "error " + sj("クラス「TTvTuner」で「put_InputType」に失敗しました。")}));
  EXPECT_EQ(tuner()->table().channels.size(), 4u);
}

TEST_F(TunerTest, RemoveSavesReleasesAndNukeKeepsToItsDevices) {
  writeTable(storedTable());
  ASSERT_TRUE(create());
  ASSERT_TRUE(run("tune nukeWithoutNeeds cFg"));
  EXPECT_EQ(host.log, (Log{"card nuke graph"}));
  ASSERT_TRUE(run("tune delChFromList 0"));
  ASSERT_TRUE(run("tune remove"));
  EXPECT_EQ(host.log, (Log{"card release"}));
  EXPECT_EQ(stored()->entries.size(), 2u);
  EXPECT_FALSE(run("tune nukeWithoutNeeds cFg"));
  EXPECT_EQ(host.log.front(), "error " + sj("クラス「TTvTuner」で「nukeWithoutNeeds」に失敗しました。"));
}

TEST_F(TunerTest, EachFailingCallOfTheRangeQueryAndOfTuningHasItsText) {
  const std::vector<std::pair<std::string, std::string>> range = {
      {"putMode", "TTvTuner::getChRange() で IAMTVTuner::put_Mode() に失敗しました。"},
      {"putInputType", "TTvTuner::getChRange() で IAMTVTuner::put_InputType() に失敗しました。"},
      {"putChannel", "TTvTuner::getChRange() で IAMTVTuner::put_Channel() に失敗しました。"}};
  for (const auto& [failing, text] : range) {
    factory.configure = [&](FakeCard& card) { card.failing = failing; };
    host.log.clear();
    EXPECT_FALSE(create());
    EXPECT_EQ(host.only("error"), (Log{"error " + sj(text)})) << failing;
  }
  writeTable(storedTable());
  const std::vector<std::pair<std::string, std::string>> tuning = {
      {"putMode", "クラス「TTvTuner」で「put_Mode」に失敗しました。"},
      {"putInputType", "クラス「TTvTuner」で「put_InputType」に失敗しました。"},
      {"route", "クラス「TTvTuner」で「Route」に失敗しました。"}};
  for (const auto& [failing, text] : tuning) {
    factory.configure = [&](FakeCard& card) { card.failing = failing; };
    host.log.clear();
    EXPECT_FALSE(create());
    EXPECT_EQ(host.only("error"), (Log{"error " + sj(text)})) << failing;
  }
}
