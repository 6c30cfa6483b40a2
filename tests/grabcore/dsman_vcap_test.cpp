// The VCapSorce subcommands: arguments, replies, undo lines and errors, through the interpreter.
#include <gtest/gtest.h>

#include "common/messages.h"
#include "fake_engine.h"
#include "grabcore/core/errors.h"
#include "grabcore/core/vcap_sorce.h"

using Tokens = std::vector<std::string>;

namespace {

// A video source whose operations are logged; chosen operations raise a device error.
class FakeVCap : public TVCapSorce {
 public:
  explicit FakeVCap(RecordingHost& host) : host_(host) {}
  void create(uint64_t window) override { op("create " + std::to_string(window)); }
  void remove() override { op("remove"); }
  void setQuality(int p, int32_t v) override { op("setQuality " + std::to_string(p) + " " + std::to_string(v)); }
  int32_t getQuality(int p) override {
    op("getQuality " + std::to_string(p));
    return quality;
  }
  void showDialog(int kind, uint64_t window) override {
    op("showDialog " + std::to_string(kind) + " " + std::to_string(window));
  }
  VideoSize getVideoSize() override {
    op("getVideoSize");
    return size;
  }
  void loadFormat(const std::string& profile) override { op("loadFormat " + profile); }
  void saveFormat() override { op("saveFormat"); }
  void loadQuality() override { op("loadQuality"); }
  void deleteVideo(const std::string& profile) override { op("deleteVideo " + profile); }
  double getFrameRate() override {
    op("getFrameRate");
    return rate;
  }
  void setFrameRate(double f) override { op("setFrameRate " + std::to_string(f)); }
  void allocProp() override { op("allocProp"); }
  void chgDriver(int kind) override { op("chgDriver " + std::to_string(kind)); }

  int32_t quality = 0;
  VideoSize size;
  double rate = 0;
  std::string failing;

 private:
  void op(const std::string& what) {
    host_.log.push_back(what);
    if (what.rfind(failing, 0) == 0 && !failing.empty()) throw DeviceError{"failed " + failing};
  }
  RecordingHost& host_;
};

class VCapFactory : public DeviceFactory {
 public:
  explicit VCapFactory(RecordingHost& host) : host_(host) {}
  std::shared_ptr<dsMother> make(WaitId kind, lex&) override {
    if (kind != WaitId::VCapSorce) return nullptr;
    last = std::make_shared<FakeVCap>(host_);
    return last;
  }
  std::shared_ptr<FakeVCap> last;

 private:
  RecordingHost& host_;
};

struct VCapFixture : ::testing::Test {
  RecordingHost host;
  VCapFactory factory{host};
  lex engine{host, factory};
  FakeVCap* vcap = nullptr;
  void SetUp() override {
    engine.frontWnd = 0x2468;
    engine.execLine("new VCapSorce cVCap");
    vcap = factory.last.get();
    ASSERT_NE(vcap, nullptr);
  }
  // Runs lines and answers the log they left.
  Tokens run(std::initializer_list<const char*> lines) {
    host.log.clear();
    for (const char* line : lines) engine.execLine(line);
    return host.log;
  }
  static std::string post(unsigned msg, const std::string& w, const std::string& l) {
    return "post " + std::to_string(msg) + " " + w + " " + l;
  }
};

}  // namespace

TEST_F(VCapFixture, CreateOpensWithTheFrontWindowAndPushesRemove) {
  EXPECT_EQ(run({"cVCap create"}), (Tokens{"create 9320"}));
  EXPECT_EQ(engine.undoList, (Tokens{"delete cVCap", "cVCap remove"}));
  EXPECT_EQ(run({"cVCap remove"}), (Tokens{"remove"}));
  EXPECT_EQ(engine.undoList.size(), 2u);  // remove pushes nothing
}

TEST_F(VCapFixture, QualityWordsMapToPropertyNumbers) {
  vcap->quality = -7;
  EXPECT_EQ(run({"cVCap setQuality Brightness 10", "cVCap setQuality Contrast -3", "cVCap setQuality Hue 0",
                 "cVCap setQuality Saturation 255"}),
            (Tokens{"setQuality 0 10", "setQuality 1 -3", "setQuality 2 0", "setQuality 3 255"}));
  EXPECT_EQ(run({"cVCap getQuality Saturation", "cVCap getQuality Hue"}),
            (Tokens{"getQuality 3", post(tvr::TVR_VIDEOPROP, "3", "-7"), "getQuality 2",
                    post(tvr::TVR_VIDEOPROP, "2", "-7")}));
}

TEST_F(VCapFixture, UnknownWordsDoNothingAtAll) {
  // Not even the missing or bad number of setQuality is read.
  EXPECT_TRUE(run({"cVCap setQuality hue 10", "cVCap setQuality Sharpness", "cVCap getQuality brightness",
                   "cVCap getQuality", "cVCap videoDialog Preview form", "cVCap setQuality  5"})
                  .empty());
  EXPECT_EQ(engine.undoList, (Tokens{"delete cVCap"}));
  EXPECT_THROW(engine.execLine("cVCap setQuality Hue x"), LanguageError);
  EXPECT_THROW(engine.execLine("cVCap setQuality Hue"), LanguageError);
}

TEST_F(VCapFixture, VideoDialogReadsTheNamedWindowAndAnswersAfterTheDialog) {
  engine.argDwords["form"] = 0x1234;
  EXPECT_EQ(run({"cVCap videoDialog Source form", "cVCap videoDialog Format form", "cVCap videoDialog Display unset"}),
            (Tokens{"showDialog 1 4660", post(tvr::TVR_FORMATDONE, "1", "0"), "showDialog 2 4660",
                    post(tvr::TVR_FORMATDONE, "2", "0"), "showDialog 4 0", post(tvr::TVR_FORMATDONE, "4", "0")}));
  // The window name is read before the word is tested.
  EXPECT_THROW(engine.execLine("cVCap videoDialog Other"), LanguageError);
}

TEST_F(VCapFixture, VideoSizeAndFrameRateReplies) {
  vcap->size = {720, 480};
  vcap->rate = 29.97;
  EXPECT_EQ(run({"cVCap getVideoSize", "cVCap getFrameRate"}),
            (Tokens{"getVideoSize", post(tvr::TVR_VIDEOSIZE, "720", "480"), "getFrameRate",
                    post(tvr::TVR_FRAMERATE, std::to_string(0xEB851EB8u), std::to_string(0x403DF851u))}));
  vcap->rate = -1;
  EXPECT_EQ(run({"cVCap getFrameRate"}),
            (Tokens{"getFrameRate", post(tvr::TVR_FRAMERATE, "0", std::to_string(0xBFF00000u))}));
}

TEST_F(VCapFixture, ProfileAndFormatLinesPassTheirTexts) {
  EXPECT_EQ(run({"cVCap loadFormat \"my profile\"", "cVCap saveFormat", "cVCap loadQuality",
                 "cVCap deleteVideo q", "cVCap setFrameRate 29.97", "cVCap allocProp"}),
            (Tokens{"loadFormat my profile", "saveFormat", "loadQuality", "deleteVideo q", "setFrameRate 29.970000",
                    "allocProp"}));
  EXPECT_THROW(engine.execLine("cVCap setFrameRate fast"), LanguageError);
  EXPECT_THROW(engine.execLine("cVCap loadFormat"), LanguageError);
}

TEST_F(VCapFixture, ChgDriverTakesVfWOrAnythingElseAsWdm) {
  EXPECT_EQ(run({"cVCap chgDriver VfW", "cVCap chgDriver WDM", "cVCap chgDriver vfw", "cVCap chgDriver"}),
            (Tokens{"chgDriver 1", "chgDriver 2", "chgDriver 2", "chgDriver 2"}));
}

TEST_F(VCapFixture, DeviceErrorIsReportedAndUndoesEverything) {
  vcap->failing = "create";
  EXPECT_EQ(run({"cVCap create"}), (Tokens{"create 9320", "error failed create"}));
  EXPECT_TRUE(engine.undoList.empty());
  EXPECT_TRUE(engine.objectNames().empty());
}

TEST_F(VCapFixture, AFailedQueryPostsNoReply) {
  engine.execLine("cVCap create");
  vcap->failing = "getQuality";
  EXPECT_EQ(run({"cVCap getQuality Hue"}), (Tokens{"getQuality 2", "error failed getQuality", "remove"}));
  EXPECT_TRUE(engine.objectNames().empty());
}

TEST_F(VCapFixture, WordsOfOtherKindsGiveTheVCapReport) {
  EXPECT_EQ(run({"cVCap startGraph"}),
            (Tokens{"error " + sj("クラス「dsMan」の「func_VCapSorce()」で予期しないサブコマンドを受け取りました。")}));
  EXPECT_TRUE(engine.objectNames().empty());
}
