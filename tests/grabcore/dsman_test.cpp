// The dispatch frame and the GraphBuilder subcommands.
#include <gtest/gtest.h>

#include "common/messages.h"
#include "fake_engine.h"
#include "grabcore/core/errors.h"
#include "grabcore/core/subcommand.h"

using Tokens = std::vector<std::string>;

// The last word of each kind's group: a word missing or added before it shifts its id.
TEST(SubCommandTable, SixtySixWordsWithTheirIds) {
  EXPECT_EQ(static_cast<int>(*findSubCommand("create")), 0);
  EXPECT_EQ(static_cast<int>(*findSubCommand("EnumFilters")), 5);
  EXPECT_EQ(static_cast<int>(*findSubCommand("setILeave")), 20);
  EXPECT_EQ(static_cast<int>(*findSubCommand("chgDriver")), 32);
  EXPECT_EQ(static_cast<int>(*findSubCommand("deleteAudio")), 36);
  EXPECT_EQ(static_cast<int>(*findSubCommand("nukeWithoutNeeds")), 50);
  EXPECT_EQ(static_cast<int>(*findSubCommand("setCmpState")), 56);
  EXPECT_EQ(static_cast<int>(*findSubCommand("getSysVolMute")), 65);
  EXPECT_FALSE(findSubCommand("StartGraph"));
  EXPECT_FALSE(findSubCommand(""));
}

TEST(GraphDispatch, CreateStartStopAndUndoLines) {
  EngineFixture f;
  for (const char* line : {"new GraphBuilder cFg", "cFg create", "cFg startGraph", "cFg stopGraph"})
    EXPECT_TRUE(f.engine.execLine(line));
  EXPECT_EQ(f.engine.undoList, (Tokens{"delete cFg", "cFg remove", "cFg stopGraph"}));
  EXPECT_EQ(f.host.log, (Tokens{"make obj1", "obj1 create", "obj1 startView", "obj1 stopView",
                                "post " + std::to_string(tvr::TVR_RECOFF) + " 0 0"}));
}

TEST(GraphDispatch, StopGraphPostsRecOffEvenBeforeAnyStart) {
  EngineFixture f;
  f.engine.execLine("new GraphBuilder cFg");
  f.host.log.clear();
  f.engine.execLine("cFg stopGraph");
  EXPECT_EQ(f.host.log, (Tokens{"obj1 stopView", "post " + std::to_string(tvr::TVR_RECOFF) + " 0 0"}));
}

TEST(GraphDispatch, AddPassesTheNamedObjectOrNone) {
  EngineFixture f;
  f.engine.execLine("new GraphBuilder cFg");
  f.engine.execLine("new Compress cComp");
  f.host.log.clear();
  f.engine.execLine("cFg add cComp");
  f.engine.execLine("cFg add nothing");
  EXPECT_EQ(f.host.log, (Tokens{"obj1 add object", "obj1 add none"}));
  EXPECT_THROW(f.engine.execLine("cFg add"), LanguageError);
}

TEST(GraphDispatch, FailedOperationReportsUndoesAllAndPushesNothing) {
  EngineFixture f;
  f.factory.failing = {"startView"};
  f.engine.execLine("new GraphBuilder cFg");
  f.engine.execLine("cFg create");
  f.host.log.clear();
  EXPECT_FALSE(f.engine.execLine("cFg startGraph"));
  EXPECT_EQ(f.host.log, (Tokens{"obj1 startView", "error failed startView", "obj1 release", "destroy obj1"}));
  EXPECT_TRUE(f.engine.undoList.empty());
  EXPECT_TRUE(f.engine.man().ok);
}

TEST(GraphDispatch, WordsOfOtherKindsAndMisspeltWordsGiveTheKindsReport) {
  EngineFixture f;
  f.engine.execLine("new GraphBuilder cFg");
  EXPECT_FALSE(f.engine.execLine("cFg setCh 3"));
  EXPECT_EQ(f.host.log.back(), "destroy obj1");
  EXPECT_EQ(f.host.log[1],
            "error " + sj("クラス「dsMan」の「func_GraphBuilder()」で予期しないサブコマンドを受け取りました。"));
  // A missing subcommand word is an error of the language, not of the device.
  f.engine.execLine("new GraphBuilder g");
  EXPECT_THROW(f.engine.execLine("g"), LanguageError);
  EXPECT_EQ(f.engine.objectNames(), (Tokens{"g"}));
}

TEST(MixerDispatch, RemoveIsNotAWordOfTheMixer) {
  EngineFixture f;
  f.engine.execLine("new GraphBuilder cFg");
  f.engine.execLine("new SoundMixer mix");
  f.host.log.clear();
  EXPECT_FALSE(f.engine.execLine("mix remove"));
  EXPECT_EQ(f.host.log, (Tokens{"error " + sj("クラス「dsMan」の「func_Mixer()」で予期しないサブコマンドを受け取りました。"),
                                "destroy obj2", "destroy obj1"}));
}
