// The installation's command files, run with the recorder's own request sequences through the
// engine's interpreter and the device model (see engine_model.h).
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "common/fileio.h"
#include "grabcore/core/subcommand.h"
#include "model_link.h"
#include "tests_common.h"

using Lines = std::vector<std::string>;

namespace {

const Lines kCommandFiles = {"preView.cmd",   "preView2a.cmd", "preView2b.cmd", "preView3.cmd",
                             "record1z.cmd",  "record1a.cmd",  "record1b.cmd",  "record1c.cmd"};

struct Recorder : ModelLink {
  void lines(const Lines& lines) {
    for (const std::string& line : lines) link.execOneLine(line);
  }
  // The tray's "TV表示" on a hidden view.
  void showTv() {
    link.firstPreview();
    link.execOneLine("tune setCh");
    link.restoreSysVolMute();
    link.sendMark(5);
    pump();
  }
  // The scheduler's set-up of a reservation (view hidden or showing).
  void setUpReservation(bool viewShown) {
    if (!viewShown) {
      link.addDWORD("form", view.viewWindow());
      lines({"new SoundMixer mix", "mix create form", "label setMixer", "mix getSysVolMute"});
      link.setMute(true);
    } else {
      lines({"clean filterSet", "tune nukeWithoutNeeds cFg", "clean setMixer"});
    }
    link.prepareRecording("ＴＶ profile", "D:\\rec\\news.avi");
    link.setChannel(-2);
    pump();
  }
  void leavePreview() { lines({"mix getSysVolMute", "mix setMute ON", "clean filterSet", "tune nukeWithoutNeeds cFg"}); }
  // The quality page's steps before a profile's preview: its format on a source out of the graph.
  void formatOf(const std::string& profile) {
    leavePreview();
    link.execCmdFile("preView2a.cmd");
    link.execOneLine("cVCap loadFormat \"" + profile + "\"");
    link.sendPanelNumbers();
    link.execOneLine("cCapBuild setViewWin form width height");
  }
  bool nothingLeft() {
    return model.undoList().empty() && model.engine().objectNames().empty() && !model.has("cFg") &&
           !model.has("mix");
  }
};

}  // namespace

TEST(CommandFiles, EveryLineIsABuiltInOrASubcommandWordAndNoLineIsEmpty) {
  const Lines builtIns = {"new", "delete", "clean", "label", "mark", "quit"};
  for (const std::string& name : kCommandFiles) {
    auto data = tavora::readWholeFile(std::string(TAVORA_SOURCE_DIR) + "/data/script/" + name);
    ASSERT_TRUE(data) << name;
    // Windows text: every line ends in CR LF.
    for (size_t i = 0; i < data->size(); ++i) {
      if ((*data)[i] != '\n') continue;
      EXPECT_TRUE(i > 0 && (*data)[i - 1] == '\r') << name;
    }
    EXPECT_EQ(data->back(), '\n') << name;
    for (const std::string& line : tavora::splitLines(*data)) {
      ASSERT_FALSE(line.empty()) << name;
      if (line[0] == '#') continue;
      const std::string first = line.substr(0, line.find(' '));
      const size_t second = line.find(' ') + 1;
      const std::string word = line.substr(second, line.find(' ', second) - second);
      const bool builtIn = std::count(builtIns.begin(), builtIns.end(), first) > 0;
      EXPECT_TRUE(builtIn || findSubCommand(word)) << name << ": " << line;
    }
  }
}

TEST(CommandFiles, TheBuiltInProfileIsWrittenInShiftJis) {
  const Lines lines = commandFileLines("preView3.cmd");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "cVCap loadFormat \"" + sj("ＴＶ") + "\""), lines.end());
}

TEST(CommandFiles, FirstPreviewBuildsThePreviewAndCleanUpLeavesNothing) {
  Recorder r;
  r.showTv();
  EXPECT_TRUE(r.model.previewing());
  EXPECT_EQ(r.model.marks(), (Lines{"5"}));
  EXPECT_EQ(r.model.undoList(),
            (Lines{"delete mix", "label setMixer", "delete cFg", "cFg remove", "delete cCapBuild", "cCapBuild remove",
                   "delete tune", "tune remove", "delete cVCap", "cVCap remove", "label filterSet",
                   "cCapBuild release", "cFg stopGraph"}));
  EXPECT_EQ(r.model.device("cVCap").profile, sj("ＴＶ"));
  r.link.cleanUp();
  r.pump();
  EXPECT_FALSE(r.model.previewing());
  EXPECT_TRUE(r.nothingLeft());
}

TEST(CommandFiles, ScheduledRecordingWithTheViewHidden) {
  Recorder r;
  r.setUpReservation(false);
  EXPECT_TRUE(r.model.previewing());
  EXPECT_FALSE(r.model.capturing());
  EXPECT_EQ(r.model.device("cVCap").profile, "ＴＶ profile");
  EXPECT_EQ(r.transport.log.back(), "line tune setCh 65534");
  r.link.startCapture();
  r.pump();
  EXPECT_TRUE(r.model.capturing());
  // The end with the view closed: stop, caption, mark 4, whose echo closes the view.
  r.lines({"cFg stopGraph", "tune setCaption"});
  r.link.sendMark(4);
  r.pump();
  EXPECT_FALSE(r.model.capturing());
  EXPECT_EQ(r.model.marks(), (Lines{"4"}));
  r.link.cleanUp();
  r.pump();
  EXPECT_TRUE(r.nothingLeft());
}

TEST(CommandFiles, ScheduledRecordingOverAPreviewThenBackToThePreview) {
  Recorder r;
  r.showTv();
  r.setUpReservation(true);
  r.link.startCapture();
  r.pump();
  EXPECT_TRUE(r.model.capturing());
  r.lines({"cFg stopGraph", "tune setCaption"});
  r.link.backToPreview();
  r.pump();
  EXPECT_FALSE(r.model.capturing());
  EXPECT_TRUE(r.model.previewing());
  EXPECT_EQ(r.model.device("cVCap").profile, sj("ＴＶ"));
  EXPECT_FALSE(r.model.has("cACap"));
  EXPECT_FALSE(r.model.has("cComp"));
  r.link.cleanUp();
  r.pump();
  EXPECT_TRUE(r.nothingLeft());
}

TEST(CommandFiles, ScheduledRecordingWithoutPreview) {
  Recorder r;
  r.view.noPreview = true;
  r.setUpReservation(false);
  EXPECT_FALSE(r.model.previewing());
  r.link.startCapture();
  r.pump();
  EXPECT_TRUE(r.model.capturing());
}

TEST(CommandFiles, ManualRecordingFromThePreview) {
  Recorder r;
  r.showTv();
  r.leavePreview();
  r.link.execCmdFile("record1a.cmd");
  r.lines({"cVCap loadFormat \"q\"", "cACap create \"q\"", "cComp create \"q\"",
           "cCapBuild setFName \"C:\\AVCapture.AVI\" 0"});
  r.link.sendPanelNumbers();
  r.link.execCmdFile("record1b.cmd");
  r.link.execOneLine("cCapBuild renderPreview cVCap");
  r.link.execCmdFile("record1c.cmd");
  r.link.restoreSysVolMute();
  r.link.startCapture();
  r.pump();
  EXPECT_TRUE(r.model.capturing());
  EXPECT_TRUE(r.model.previewing());
  r.link.execOneLine("cFg stopGraph");
  r.link.backToPreview();
  r.pump();
  EXPECT_TRUE(r.model.previewing());
}

TEST(CommandFiles, ProfilePageSwitchesRebuildThePreviewWithTheProfile) {
  Recorder r;
  r.showTv();
  // The page shows: format queries, the label, the profile objects of "ＴＶ".
  r.lines({"cVCap getVideoSize", "cVCap getFrameRate", "label compSetStart", "new Compress cComp",
           "cComp create \"ＴＶ\"", "cComp enumCompNames", "new ACapSorce cACap", "cACap create \"ＴＶ\"",
           "cACap getWFormat"});
  // A switch to profile A.
  r.link.execOneLine("cVCap saveFormat");
  r.formatOf("A");
  r.link.execCmdFile("preView2b.cmd");
  r.lines({"mix setSysVolMute", "tune setCh"});
  r.pump();
  EXPECT_TRUE(r.model.previewing());
  EXPECT_EQ(r.model.device("cVCap").profile, "A");
  // "clean filterSet" took the profile objects with it.
  EXPECT_FALSE(r.model.has("cComp"));
  EXPECT_FALSE(r.model.has("cACap"));
  // The format dialog path: the source out of the graph while the dialog runs.
  r.formatOf("A");
  r.link.addDWORD("form", r.view.viewWindow());
  r.link.execOneLine("cVCap videoDialog Format form");
  r.pump();
  EXPECT_TRUE(r.model.device("cFg").filters.empty());
  r.link.execCmdFile("preView2b.cmd");
  r.pump();
  EXPECT_TRUE(r.model.previewing());
}

TEST(CommandFiles, DriverChangeRebuildsThePreviewOnTheBuiltInProfile) {
  Recorder r;
  r.showTv();
  r.leavePreview();
  r.link.execOneLine("cVCap chgDriver WDM");
  r.link.sendPanelNumbers();
  r.link.execCmdFile("preView3.cmd");
  r.link.execOneLine("mix setSysVolMute");
  r.pump();
  EXPECT_TRUE(r.model.previewing());
}

TEST(CommandFiles, TheModelCatchesAMisplacedLine) {
  // The model is strict: rendering before the source is in the graph fails the test.
  Recorder r;
  r.showTv();
  r.leavePreview();
  r.pump();
  EXPECT_NONFATAL_FAILURE(r.model.runLine("cCapBuild renderPreview cVCap"), "not in the graph");
  EXPECT_NONFATAL_FAILURE(r.model.runLine("cVCap incChannel"), "another kind");
  EXPECT_NONFATAL_FAILURE(r.model.runLine("cFg startGraph x"), "expected 2 tokens");
}
