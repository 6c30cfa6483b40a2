// The ACapSorce and Compress subcommands: arguments, replies, undo lines and errors, through
// the interpreter.
#include <gtest/gtest.h>

#include "common/messages.h"
#include "fake_engine.h"
#include "grabcore/core/acap_sorce.h"
#include "grabcore/core/compress.h"
#include "grabcore/core/errors.h"

using Tokens = std::vector<std::string>;

namespace {

// Logs operations on the host's log; the operation named in failing raises a device error.
class Ops {
 public:
  explicit Ops(RecordingHost& host) : host_(host) {}
  std::string failing;

 protected:
  void op(const std::string& what) {
    host_.log.push_back(what);
    if (!failing.empty() && what.rfind(failing, 0) == 0) throw DeviceError{"failed " + failing};
  }

 private:
  RecordingHost& host_;
};

class FakeACap : public TACapSorce, public Ops {
 public:
  using Ops::Ops;
  void create(const std::string& profile) override { op("create " + profile); }
  void remove() override { op("remove"); }
  bool chooseFormat(uint64_t window) override {
    op("chooseFormat " + std::to_string(window));
    return cancelled;
  }
  std::optional<AudioFormatInfo> getFormatInfo() override {
    op("getFormatInfo");
    return format;
  }
  void setName(const std::string& profile) override { op("setName " + profile); }
  void deleteData(const std::string& profile) override { op("deleteData " + profile); }
  bool cancelled = false;
  std::optional<AudioFormatInfo> format = AudioFormatInfo{44100, 4, 2};
};

class FakeCompress : public TCompress, public Ops {
 public:
  using Ops::Ops;
  void open(const std::string& profile) override { op("open " + profile); }
  void remove() override { op("remove"); }
  int32_t enumCompNames(int kind) override {
    op("enumCompNames " + std::to_string(kind));
    return index;
  }
  void showDialog(int kind, uint64_t window) override {
    op("showDialog " + std::to_string(kind) + " " + std::to_string(window));
  }
  void select(const std::string& name) override { op("select " + name); }
  void setName(const std::string& profile) override { op("setName " + profile); }
  void deleteData(const std::string& profile) override { op("deleteData " + profile); }
  void setCmpState() override { op("setCmpState"); }
  int32_t index = -1;
};

class SoundFactory : public DeviceFactory {
 public:
  explicit SoundFactory(RecordingHost& host) : host_(host) {}
  std::shared_ptr<dsMother> make(WaitId kind, lex&) override {
    if (kind == WaitId::ACapSorce) return acap = std::make_shared<FakeACap>(host_);
    if (kind == WaitId::Compress) return comp = std::make_shared<FakeCompress>(host_);
    return nullptr;
  }
  std::shared_ptr<FakeACap> acap;
  std::shared_ptr<FakeCompress> comp;

 private:
  RecordingHost& host_;
};

struct SoundFixture : ::testing::Test {
  RecordingHost host;
  SoundFactory factory{host};
  lex engine{host, factory};
  void SetUp() override {
    engine.frontWnd = 0x2468;
    engine.execLine("new ACapSorce cACap");
    engine.execLine("new Compress cComp");
    ASSERT_TRUE(factory.acap && factory.comp);
  }
  Tokens run(std::initializer_list<const char*> lines) {
    host.log.clear();
    for (const char* line : lines) engine.execLine(line);
    return host.log;
  }
  static std::string post(unsigned msg, long long w, long long l) {
    return "post " + std::to_string(msg) + " " + std::to_string(static_cast<uint64_t>(w)) + " " + std::to_string(l);
  }
};

}  // namespace

TEST_F(SoundFixture, AudioCreateTakesTheProfileAndPushesRemove) {
  EXPECT_EQ(run({"cACap create \"my profile\"", "cACap remove"}), (Tokens{"create my profile", "remove"}));
  EXPECT_EQ(engine.undoList, (Tokens{"delete cACap", "delete cComp", "cACap remove"}));
  EXPECT_THROW(engine.execLine("cACap create"), LanguageError);
}

TEST_F(SoundFixture, AudioFormatRepliesCarryRateBlockAlignAndChannels) {
  EXPECT_EQ(run({"cACap getWFormat"}), (Tokens{"getFormatInfo", post(tvr::TVR_AUDIOFORMAT, 44100, 0x00020004)}));
  // Without a format there is nothing to report.
  factory.acap->format.reset();
  EXPECT_EQ(run({"cACap getWFormat"}), (Tokens{"getFormatInfo"}));
}

TEST_F(SoundFixture, TheAudioDialogReportsOnlyAConfirmedChoice) {
  engine.argDwords["form"] = 0x1234;
  factory.acap->format = AudioFormatInfo{22050, 2, 1};
  EXPECT_EQ(run({"cACap audioDialog form"}),
            (Tokens{"chooseFormat 4660", "getFormatInfo", post(tvr::TVR_AUDIOFORMAT, 22050, 0x00010002)}));
  factory.acap->cancelled = true;
  EXPECT_EQ(run({"cACap audioDialog form", "cACap audioDialog unset"}), (Tokens{"chooseFormat 4660", "chooseFormat 0"}));
}

TEST_F(SoundFixture, AudioProfileNameLinesPassTheirTexts) {
  EXPECT_EQ(run({"cACap audioQualityName \"new one\"", "cACap deleteAudio old"}),
            (Tokens{"setName new one", "deleteData old"}));
  EXPECT_THROW(engine.execLine("cACap deleteAudio"), LanguageError);
}

TEST_F(SoundFixture, CompressorCreateOpensTheProfileAndPushesRemove) {
  EXPECT_EQ(run({"cComp create \"q\"", "cComp remove"}), (Tokens{"open q", "remove"}));
  EXPECT_EQ(engine.undoList, (Tokens{"delete cACap", "delete cComp", "cComp remove"}));
}

TEST_F(SoundFixture, TheCompressorListIsAnsweredWithThePositionOrMinusOne) {
  factory.comp->index = 2;
  EXPECT_EQ(run({"cComp enumCompNames"}), (Tokens{"enumCompNames 2", post(tvr::TVR_COMPINDEX, 2, 0)}));
  factory.comp->index = -1;
  EXPECT_EQ(run({"cComp enumCompNames"}), (Tokens{"enumCompNames 2", post(tvr::TVR_COMPINDEX, -1, 0)}));
}

TEST_F(SoundFixture, TheCompressorDialogIsAnsweredAfterItCloses) {
  engine.argDwords["form"] = 0x1234;
  EXPECT_EQ(run({"cComp compDialog form"}), (Tokens{"showDialog 1 4660", post(tvr::TVR_COMPDONE, 0, 0)}));
  EXPECT_THROW(engine.execLine("cComp compDialog"), LanguageError);
}

TEST_F(SoundFixture, CompressorChoiceAndProfileLines) {
  EXPECT_EQ(run({"cComp setCompKind \"Codec A\"", "cComp compQualityName B", "cComp deleteComp C",
                 "cComp setCmpState"}),
            (Tokens{"select Codec A", "setName B", "deleteData C", "setCmpState"}));
  EXPECT_EQ(engine.undoList, (Tokens{"delete cACap", "delete cComp"}));
}

TEST_F(SoundFixture, DeviceErrorsAreReportedAndUndoEverything) {
  engine.execLine("cACap create q");
  engine.execLine("cComp create q");
  factory.comp->failing = "select";
  EXPECT_EQ(run({"cComp setCompKind X"}), (Tokens{"select X", "error failed select", "remove", "remove"}));
  EXPECT_TRUE(engine.objectNames().empty());
  EXPECT_TRUE(engine.undoList.empty());
}

TEST_F(SoundFixture, WordsOfOtherKindsGiveEachKindsReport) {
  EXPECT_EQ(run({"cACap setCompKind X"}),
            (Tokens{"error " + sj("クラス「dsMan」の「func_ACapSorce()」で予期しないサブコマンドを受け取りました。")}));
  SetUp();
  EXPECT_EQ(run({"cComp getWFormat"}),
            (Tokens{"error " + sj("クラス「dsMan」の「func_Compress()」で予期しないサブコマンドを受け取りました。")}));
}
