// The TvTuner subcommands through the interpreter, over a scripted card and scripted scan
// windows: first run, loading, failures, tuning, stepping, the editor and the scan.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "../recdesk/temp_dir.h"
#include "common/fileio.h"
#include "common/messages.h"
#include "fake_engine.h"
#include "grabcore/core/errors.h"
#include "grabcore/core/tv_tuner.h"

using Log = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

namespace {

// Logs the card's calls into the host's log; the call named by failing fails.
class FakeCard : public TunerDevices {
 public:
  explicit FakeCard(RecordingHost& host) : host_(host) {}
  bool discover(TGraphBuilder*) override { return held_ = op("discover"); }
  bool held() const override { return held_; }
  bool putModeTv() override { return op("putMode"); }
  bool putInputType(uint8_t type) override { return op("putInputType " + std::to_string(type)); }
  bool putChannel(uint16_t channel) override { return op("putChannel " + std::to_string(channel)); }
  bool channelMinMax(int32_t& min, int32_t& max) override {
    min = 1;
    max = host_.log.back() == "card putChannel 1" && host_.log.end()[-2] == "card putInputType 1" ? 3 : 4;
    return op("minmax");
  }
  bool autoTune(int32_t channel) override { return op("autoTune " + std::to_string(channel)) && signals.count(channel); }
  bool route(bool upstream, int32_t output, int32_t input) override {
    return op(std::string(upstream ? "up " : "down ") + std::to_string(output) + " " + std::to_string(input));
  }
  void removeOthers(TGraphBuilder*) override { op("nuke"); }
  void release() override { held_ = !op("release") && held_; }

  std::set<int32_t> signals;
  std::string failing;

 private:
  bool op(const std::string& what) {
    host_.log.push_back("card " + what);
    return failing.empty() || what.rfind(failing, 0) != 0;
  }
  RecordingHost& host_;
  bool held_ = false;
};

class TunerTest : public ::testing::Test, public DeviceFactory, public TunerDialogs {
 protected:
  TunerTest() { engine.frontWnd = 0x1000; }

  std::shared_ptr<dsMother> make(WaitId kind, lex&) override {
    if (kind == WaitId::GraphBuilder) return std::make_shared<FakeGraph>(host, "graph");
    auto made = std::make_unique<FakeCard>(host);
    card = made.get();
    if (configure) configure(*card);
    return std::make_shared<TTvTuner>(host, std::move(made), *this, dir);
  }
  int askScan() override {
    host.log.push_back("ask");
    return answer;
  }
  // The progress window shows only its captions, in the host's log.
  struct Window : ScanProgress {
    explicit Window(RecordingHost& host) : host(host) {}
    void setCaption(const std::string& c) override { host.log.push_back("caption " + c); }
    void setMaximum(int32_t) override {}
    void setPosition(int32_t) override {}
    void pump() override {}
    RecordingHost& host;
  };
  std::unique_ptr<ScanProgress> openProgress(const std::string&) override { return std::make_unique<Window>(host); }

  // Makes "cFg" and "tune" and runs "tune create cFg".
  bool create() {
    engine.execLine("new GraphBuilder cFg");
    engine.execLine("new TvTuner tune");
    return engine.execLine("tune create cFg");
  }
  bool run(const std::string& line) {
    host.log.clear();
    host.copyData.clear();
    return engine.execLine(line);
  }
  std::optional<Bytes> file(const char* name) const { return tavora::readWholeFile(dir + name); }
  std::optional<tavora::TunerFile> stored() const { return tavora::parseTunerDat(file("TvTuner.dat").value_or(Bytes{})); }
  void writeTable(const ChannelTable& table) const {
    tavora::writeFileReplacing(dir + "TvTuner.dat", tavora::buildTunerDat(table.toFile()));
    tavora::writeFileReplacing(dir + "TvTuner.dat2", tavora::buildTunerDat2(table.typeRecords()));
  }
  const ChannelTable& table() const { return std::dynamic_pointer_cast<TTvTuner>(engine.object("tune"))->table(); }
  Log without(const std::string& prefix) const {
    Log out;
    for (const std::string& e : host.log)
      if (e.rfind(prefix, 0) != 0) out.push_back(e);
    return out;
  }

  TempDir folder;
  std::string dir = folder.file("");
  RecordingHost host;
  lex engine{host, *this};
  FakeCard* card = nullptr;
  std::function<void(FakeCard&)> configure;
  int answer = kScanAntenna;
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

// The replies' order and the entries saved are checked over the COM fakes.
TEST_F(TunerTest, FirstRunScansWithCaptionsAndSavesTheFirstFoundAsCurrentWithItsInputType) {
  configure = [](FakeCard& c) { c.signals = {1, 3}; };
  ASSERT_TRUE(create());
  EXPECT_EQ(host.only("caption"), (Log{"caption " + kScanBase + " 1CH:" + sj("○"), "caption " + kScanBase + " 2CH:" + sj("×"),
                                       "caption " + kScanBase + " 3CH:" + sj("○")}));
  ASSERT_TRUE(stored());
  EXPECT_EQ(stored()->currentKey, 1);
  EXPECT_EQ(tavora::parseTunerDat2(*file("TvTuner.dat2")),
            (std::vector<tavora::TunerTypeRecord>{{1, 1}, {3, 1}, {65535, 1}, {65534, 1}}));
}

TEST_F(TunerTest, TheAnswersNoScanAndCable) {
  answer = kScanNone;
  ASSERT_TRUE(create());
  EXPECT_TRUE(host.only("card autoTune").empty());
  EXPECT_EQ(stored()->entries.size(), 2u);
  EXPECT_EQ(stored()->currentKey, 65535);
  engine.destroyAllObjects();
  std::filesystem::remove(dir + "TvTuner.dat");
  answer = kScanCable;
  configure = [](FakeCard& c) { c.signals = {4}; };
  ASSERT_TRUE(create());
  EXPECT_EQ(host.log.back(), post(tvr::TVR_ISANTENNA, 2));
  EXPECT_EQ(stored()->inputType, 0);
  EXPECT_EQ(tavora::parseTunerDat2(*file("TvTuner.dat2"))->front(), (tavora::TunerTypeRecord{4, 0}));
}

TEST_F(TunerTest, LoadingTakesTheStoredTableRangesAndCurrentChannel) {
  writeTable(storedTable());
  ASSERT_TRUE(create());
  EXPECT_TRUE(host.only("ask").empty());
  EXPECT_EQ(host.only("post"), (Log{post(tvr::TVR_ANTRANGE, 1, 62), post(tvr::TVR_CBLRANGE, 1, 113),
                                    post(tvr::TVR_SIGNAL, 0), post(tvr::TVR_CHANNEL, 12), post(tvr::TVR_ISANTENNA, 1)}));
  EXPECT_EQ(table().channels, storedTable().channels);
}

TEST_F(TunerTest, AHalfWrittenFileOrAFailedFirstRunWritesNothing) {
  writeTable(storedTable());
  Bytes dat = *file("TvTuner.dat");
  dat.resize(dat.size() - 3);
  tavora::writeFileReplacing(dir + "TvTuner.dat", dat);
  EXPECT_FALSE(create());
  EXPECT_EQ(host.only("error"), (Log{"error " + sj("データファイル「TvTuner.dat」が存在するのに開けません。")}));
  EXPECT_TRUE(host.only("post").empty());
  EXPECT_EQ(*file("TvTuner.dat"), dat);

  std::filesystem::remove(dir + "TvTuner.dat");
  std::filesystem::remove(dir + "TvTuner.dat2");
  configure = [](FakeCard& c) { c.failing = "minmax"; };
  EXPECT_FALSE(create());
  engine.destroyAllObjects();
  EXPECT_FALSE(tavora::fileExists(dir + "TvTuner.dat"));  // the first run is asked again next time
}

TEST_F(TunerTest, EachFailingCallStopsWithItsText) {
  const std::vector<std::pair<std::string, std::string>> range = {
      {"putMode", "TTvTuner::getChRange() で IAMTVTuner::put_Mode() に失敗しました。"},
      {"putInputType", "TTvTuner::getChRange() で IAMTVTuner::put_InputType() に失敗しました。"},
      {"putChannel", "TTvTuner::getChRange() で IAMTVTuner::put_Channel() に失敗しました。"},
      {"minmax", "TTvTuner::getChRange() で IAMTVTuner::ChannelMinMax() に失敗しました。"}};
  const std::vector<std::pair<std::string, std::string>> tuning = {
      {"putMode", "クラス「TTvTuner」で「put_Mode」に失敗しました。"},
      {"putInputType", "クラス「TTvTuner」で「put_InputType」に失敗しました。"},
      {"putChannel", "クラス「TTvTuner」で「put_Channel」に失敗しました。"},
      {"up", "クラス「TTvTuner」で「Route」に失敗しました。"}};
  for (const auto* cases : {&range, &tuning}) {
    if (cases == &tuning) writeTable(storedTable());
    for (const auto& [failing, text] : *cases) {
      configure = [&](FakeCard& c) { c.failing = failing; };
      host.log.clear();
      EXPECT_FALSE(create());
      EXPECT_EQ(host.only("error"), (Log{"error " + sj(text)})) << failing;
      EXPECT_TRUE(host.only(post(tvr::TVR_SIGNAL, 0).substr(0, 9)).empty());
    }
  }
}

TEST_F(TunerTest, SetChSelectsByUnsignedKeyAndStepsWrap) {
  writeTable(storedTable());
  ASSERT_TRUE(create());
  const std::string channel = "post " + std::to_string(tvr::TVR_CHANNEL);
  ASSERT_TRUE(run("tune setCh -1"));
  EXPECT_EQ(host.log, Log{});
  ASSERT_TRUE(run("tune setCh 65535"));
  EXPECT_EQ(host.log, (Log{"copydata 1 9", post(tvr::TVR_SIGNAL, 1), "card up 3 4", "card up 3 3", "card down 0 0",
                           post(tvr::TVR_CHANNEL, 65535)}));
  ASSERT_TRUE(run("tune decChannel"));
  EXPECT_EQ(host.only(channel), (Log{post(tvr::TVR_CHANNEL, 10)}));
  EXPECT_EQ(host.only("card putInputType"), (Log{"card putInputType 0"}));  // 10CH is a cable channel
  ASSERT_TRUE(run("tune decChannel"));
  EXPECT_EQ(host.only(channel), (Log{post(tvr::TVR_CHANNEL, 12)}));
  ASSERT_TRUE(run("tune incChannel"));
  EXPECT_EQ(host.only(channel), (Log{post(tvr::TVR_CHANNEL, 10)}));
  EXPECT_THROW(run("tune setCh "), LanguageError);  // an empty key does not convert
}

TEST_F(TunerTest, AddChToListSendsTheFreeKeysTunesAndPostsChAdded) {
  writeTable(storedTable());
  ASSERT_TRUE(create());
  ASSERT_TRUE(run("tune addChToList 1 NEW 1 ANT"));
  const std::string numbers = "copydata 3 " + std::to_string(4 + 9 * 2 + 50 * 3);  // 1..61 less 10, 12
  EXPECT_EQ(without("card"), (Log{numbers, "copydata 1 4", post(tvr::TVR_SIGNAL, 0), post(tvr::TVR_CHANNEL, 1),
                                  post(tvr::TVR_CHADDED, 0)}));
  EXPECT_EQ(Bytes(host.copyData.front().begin(), host.copyData.front().begin() + 8), (Bytes{59, 0, 0, 0, '1', 0, '2', 0}));
  EXPECT_EQ(table().channels[1], (ChannelSet{1, 1, "NEW", 1}));
  ASSERT_TRUE(run("tune addChToList 4 X 1 ANT"));  // past the end
  EXPECT_EQ(host.log, Log{});
}

TEST_F(TunerTest, AddChToListIntoAFullRangeStillInsertsSoTheNextEditHitsTheNewEntry) {
  ChannelTable full;
  full.antennaMax = 3;  // 1..2 offered, both taken
  full.channels = {{1, 1, "1CH", 1}, {2, 2, "2CH", 1}, {65535, -1, "Composit", 1}};
  writeTable(full);
  ASSERT_TRUE(create());
  ASSERT_TRUE(run("tune addChToList 1 NEW 1 ANT"));
  ASSERT_EQ(without("card"), (Log{"copydata 3 6", "copydata 1 4", post(tvr::TVR_SIGNAL, 0), post(tvr::TVR_CHANNEL, 3),
                                  post(tvr::TVR_CHADDED, 0)}));
  EXPECT_EQ(host.copyData.front(), (Bytes{1, 0, 0, 0, '3', 0}));
  ASSERT_TRUE(run("tune changeChValue 1 RENAMED 3 5 ANT"));
  full.channels.insert(full.channels.begin() + 1, {3, 5, "RENAMED", 1});
  EXPECT_EQ(table().channels, full.channels);
}

TEST_F(TunerTest, EditorLinesChangeMemoryUntilSaveTunerDat) {
  writeTable(storedTable());
  ASSERT_TRUE(create());
  const Bytes before = *file("TvTuner.dat");
  EXPECT_THROW(run("tune changeChValue x A 5 x ANT"), LanguageError);
  EXPECT_EQ(table().channels, storedTable().channels);
  for (const char* line : {"tune changeChValue 0 A 5 7 ANT", "tune chIndexToLower 0", "tune delChFromList 0",
                           "tune chIndexToUpper 1", "tune delChFromList -1"})
    ASSERT_TRUE(run(line)) << line;
  EXPECT_EQ(host.log, Log{});
  EXPECT_EQ(*file("TvTuner.dat"), before);
  ASSERT_TRUE(run("tune setCaption 21:00"));
  EXPECT_EQ(host.copyData, (std::vector<Bytes>{{'4', 'C', 'H', ' ', '2', '1', ':', '0', '0', 0}}));
  ASSERT_TRUE(run("tune prChannelToListview"));
  EXPECT_EQ(host.copyData, (std::vector<Bytes>{table().channelListBlock()}));
  EXPECT_EQ(host.log, (Log{"copydata 2 " + std::to_string(host.copyData.at(0).size())}));
  ASSERT_TRUE(run("tune setSelChCombo CBL"));
  EXPECT_EQ(host.copyData, (std::vector<Bytes>{table().freeChannelsBlock(0)}));
  ASSERT_TRUE(run("tune saveTunerDat"));
  EXPECT_EQ(stored()->entries, (std::vector<tavora::TunerFileEntry>{{12, 4, "4CH"}, {5, 7, "A"}}));
  EXPECT_EQ(stored()->currentKey, 12);
}

TEST_F(TunerTest, RescanAppendsWithFreeKeysAndAFailedStartEndsTheScan) {
  writeTable(storedTable());
  configure = [](FakeCard& c) { c.signals = {10}; };
  ASSERT_TRUE(create());
  ASSERT_TRUE(run("tune searchChannel ANT"));  // the stored antenna range, 1..62
  EXPECT_EQ(host.only("card autoTune").size(), 62u);
  EXPECT_EQ(host.only("caption").back(), "caption " + kScanBase + " 62CH:" + sj("×"));
  EXPECT_EQ(table().channels.back(), (ChannelSet{1, 10, "10CH", 1}));
  EXPECT_EQ(table().current()->key, 12);
  EXPECT_TRUE(host.only("post").empty());

  card->failing = "putInputType";
  ASSERT_TRUE(run("tune searchChannel CBL"));
  EXPECT_EQ(without("card"), (Log{"error " + sj("クラス「TTvTuner」で「put_InputType」に失敗しました。")}));
  EXPECT_EQ(table().channels.size(), 4u);
}

TEST_F(TunerTest, RemoveSavesAndReleasesAndNukeNeedsTheDevices) {
  writeTable(storedTable());
  ASSERT_TRUE(create());
  ASSERT_TRUE(run("tune nukeWithoutNeeds cFg"));
  EXPECT_EQ(host.log, (Log{"card nuke"}));
  ASSERT_TRUE(run("tune delChFromList 0"));
  ASSERT_TRUE(run("tune remove"));
  EXPECT_EQ(host.log, (Log{"card release"}));
  EXPECT_EQ(stored()->entries.size(), 2u);
  EXPECT_FALSE(run("tune nukeWithoutNeeds cFg"));
  EXPECT_EQ(host.log.front(), "error " + sj("クラス「TTvTuner」で「nukeWithoutNeeds」に失敗しました。"));
}

TEST_F(TunerTest, AScanIntoAnEmptiedTableMakesItsFirstEntryCurrent) {
  ChannelTable one;
  one.channels = {{10, 10, "10CH", 1}};
  one.setCurrent(0);
  writeTable(one);
  configure = [](FakeCard& c) { c.signals = {4}; };
  ASSERT_TRUE(create());
  ASSERT_TRUE(run("tune delChFromList 0"));
  ASSERT_TRUE(run("tune searchChannel ANT"));
  ASSERT_TRUE(table().current());
  EXPECT_EQ(table().channelListBlock().at(0), 0);  // position 0, not -1
  ASSERT_TRUE(run("tune setCh"));
  EXPECT_EQ(host.only("post"), (Log{post(tvr::TVR_SIGNAL, 1), post(tvr::TVR_CHANNEL, 4)}));
  ASSERT_TRUE(run("tune saveTunerDat"));
  EXPECT_EQ(stored()->currentKey, 4);
  ASSERT_TRUE(run("tune delChFromList 0"));
  EXPECT_TRUE(table().channels.empty());
  EXPECT_FALSE(table().current());
}

TEST_F(TunerTest, ACreateAfterRemoveStartsAfreshSoDestructionSavesAndReleases) {
  writeTable(storedTable());
  ASSERT_TRUE(create());
  ASSERT_TRUE(run("tune remove"));
  ASSERT_TRUE(run("tune create cFg"));
  ASSERT_TRUE(run("tune delChFromList 0"));
  host.log.clear();
  engine.destroyAllObjects();
  EXPECT_EQ(host.only("card"), (Log{"card release"}));
  EXPECT_EQ(stored()->entries.size(), 2u);
}
