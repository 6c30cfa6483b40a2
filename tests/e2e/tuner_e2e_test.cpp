// The TV tuner end to end: grabcore.exe, driven by the stand-in front end, in a graph of Wine's
// own, where no capture card and so no tuner is found.
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "common/messages.h"
#include "common/tuner_file.h"
#include "harness.h"
#include "winui/text.h"

using e2e::FrontEnd;

namespace {

std::string programFile(const char* name) { return winui::narrow(e2e::engineFolder()) + name; }

// A table as the user left it: Composite, then 12CH on cable.
void writeUserTable() {
  tavora::TunerFile table;
  table.currentKey = 12;
  table.antennaMin = table.cableMin = 1;
  table.antennaMax = 62;
  table.cableMax = 113;
  table.entries = {{65535, -1, "Composit"}, {12, 12, "12CH"}};
  ASSERT_TRUE(tavora::writeFileReplacing(programFile("TvTuner.dat"), tavora::buildTunerDat(table)));
  ASSERT_TRUE(tavora::writeFileReplacing(programFile("TvTuner.dat2"), tavora::buildTunerDat2({{65535, 1}, {12, 0}})));
}

}  // namespace

TEST(TvTuner, WithoutACardCreateIsSilentTuningFailsAndTheChannelFilesStayAsTheyWere) {
  writeUserTable();
  const auto dat = tavora::readWholeFile(programFile("TvTuner.dat"));
  const auto dat2 = tavora::readWholeFile(programFile("TvTuner.dat2"));
  FrontEnd front;
  ASSERT_TRUE(front.start());
  ASSERT_TRUE(front.waitForEngine());
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "new TvTuner tune"}) front.request(tvr::TVR_EXECONELINE, line);
  const int64_t create = front.request(tvr::TVR_EXECONELINE, "tune create cFg");
  ASSERT_TRUE(front.waitForDone(create));
  EXPECT_FALSE(front.waitForBox(0));  // acknowledged with no box up: none was shown
  EXPECT_EQ(front.messages(), (std::vector<unsigned>{tvr::TVR_ENGINEWND, tvr::TVR_DONE, tvr::TVR_DONE, tvr::TVR_DONE,
                                                     tvr::TVR_DONE}));
  const int64_t save = front.request(tvr::TVR_EXECONELINE, "tune saveTunerDat");
  ASSERT_TRUE(front.waitForDone(save));

  const int64_t tune = front.request(tvr::TVR_EXECONELINE, "tune setCh 12");
  auto box = front.waitForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"クラス「TTvTuner」で「put_Mode」に失敗しました。");
  front.press(*box);
  ASSERT_TRUE(front.waitForDone(tune));
  EXPECT_EQ(front.count(tvr::TVR_CHANNEL) + front.count(tvr::TVR_SIGNAL) + front.count(WM_COPYDATA), 0u);

  // Made again, removed by its line, and once more left for the engine's end to destroy.
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "new TvTuner tune", "tune create cFg", "tune remove",
                           "delete tune", "new TvTuner last", "last create cFg"})
    front.request(tvr::TVR_EXECONELINE, line);
  front.request(tvr::TVR_EXECONELINE, "quit");
  ASSERT_TRUE(front.waitForExit());
  EXPECT_EQ(tavora::readWholeFile(programFile("TvTuner.dat")), dat);
  EXPECT_EQ(tavora::readWholeFile(programFile("TvTuner.dat2")), dat2);
  tavora::removeFile(programFile("TvTuner.dat"));
  tavora::removeFile(programFile("TvTuner.dat2"));
}
