// The command language: tokens, built-ins, the object table and the undo list.
#include <gtest/gtest.h>

#include "common/messages.h"
#include "fake_engine.h"
#include "grabcore/core/convert.h"
#include "grabcore/core/errors.h"

using Tokens = std::vector<std::string>;

TEST(Tokenize, BlanksQuotesAndEmptyTokens) {
  EngineFixture f;
  lex& e = f.engine;
  e.tokenize("a  b");
  EXPECT_EQ(e.tokens, (Tokens{"a", "", "b"}));
  e.tokenize("a \"\" b");
  EXPECT_EQ(e.tokens, (Tokens{"a", "", "b"}));
  e.tokenize("cCapBuild setFName \"C:\\My Videos\\a.avi\" 100");
  EXPECT_EQ(e.tokens, (Tokens{"cCapBuild", "setFName", "C:\\My Videos\\a.avi", "100"}));
  e.tokenize("a ");
  EXPECT_EQ(e.tokens, (Tokens{"a", ""}));
  e.tokenize(" a");
  EXPECT_EQ(e.tokens, (Tokens{"", "a"}));
  e.tokenize("a\tb");
  EXPECT_EQ(e.tokens, (Tokens{"a\tb"}));
  e.tokenize("x\"\"\"y z\"");  // quotes toggle each time, even back to back
  EXPECT_EQ(e.tokens, (Tokens{"xy z"}));
}

TEST(Language, CommentsAndLeadingBlanks) {
  EngineFixture f;
  EXPECT_TRUE(f.engine.execLine("# new GraphBuilder cFg"));
  EXPECT_TRUE(f.engine.execLine(" new GraphBuilder cFg"));
  EXPECT_TRUE(f.engine.objectNames().empty());
  EXPECT_TRUE(f.host.log.empty());
}

TEST(Language, NewPushesDeleteAndCreatePushesRemoveThenCleanUndoesNewestFirst) {
  EngineFixture f;
  f.engine.execLine("new GraphBuilder cFg");
  f.engine.execLine("cFg create");
  EXPECT_EQ(f.engine.undoList, (Tokens{"delete cFg", "cFg remove"}));
  f.host.log.clear();
  f.engine.execLine("clean");
  EXPECT_EQ(f.host.log, (Tokens{"obj1 release", "destroy obj1"}));
  EXPECT_TRUE(f.engine.undoList.empty());
  EXPECT_TRUE(f.engine.objectNames().empty());
  EXPECT_TRUE(f.engine.currentGraph.expired());
}

TEST(Language, CleanToALabelKeepsTheLabelAndDropsOtherLabels) {
  EngineFixture f;
  for (const char* line : {"label filterSet", "new Compress cComp", "label setMixer", "new ACapSorce cACap"})
    f.engine.execLine(line);
  f.host.log.clear();
  f.engine.execLine("clean filterSet");
  EXPECT_EQ(f.host.log, (Tokens{"destroy obj2", "destroy obj1"}));
  EXPECT_EQ(f.engine.undoList, (Tokens{"label filterSet"}));
  f.host.log.clear();
  f.engine.execLine("clean filterSet");
  EXPECT_TRUE(f.host.log.empty());
  EXPECT_EQ(f.engine.undoList, (Tokens{"label filterSet"}));
}

TEST(Language, CleanWithAnUnknownLabelRunsTheWholeList) {
  EngineFixture f;
  f.engine.execLine("label a");
  f.engine.execLine("new GraphBuilder cFg");
  f.engine.execLine("clean nowhere");
  EXPECT_TRUE(f.engine.undoList.empty());
  EXPECT_TRUE(f.engine.objectNames().empty());
}

TEST(Language, MarkPostsItsNumber) {
  EngineFixture f;
  f.engine.execLine("mark 5");
  EXPECT_EQ(f.host.log, (Tokens{"post " + std::to_string(tvr::TVR_MARK) + " 5 0"}));
}

TEST(Language, QuitOffShutsDownOnlyWithCapitalOff) {
  EngineFixture f;
  f.engine.execLine("quit off");
  EXPECT_EQ(f.host.log, (Tokens{"terminate"}));
  f.host.log.clear();
  f.engine.execLine("quit OFF");
  EXPECT_EQ(f.host.log, (Tokens{"shutdown", "terminate"}));
}

TEST(Language, LanguageErrorsForMissingTokensBadNumbersAndEmptyLines) {
  EngineFixture f;
  EXPECT_THROW(f.engine.execLine("label"), LanguageError);
  EXPECT_THROW(f.engine.execLine("mark x"), LanguageError);
  EXPECT_THROW(f.engine.execLine("mark 99999999999"), LanguageError);
  EXPECT_THROW(f.engine.execLine(""), LanguageError);
  EXPECT_TRUE(f.engine.undoList.empty());
}

TEST(StartupArgument, WindowHandlesInSixtyFourBits) {
  EXPECT_EQ(toWindowHandle("1234"), 1234u);
  EXPECT_EQ(toWindowHandle("-2"), UINT64_MAX - 1);
  EXPECT_EQ(toWindowHandle("-9223372036854775807"), 0x8000000000000001u);
  for (const char* text : {"", "-", "12x", " 1", "+1", "-9223372036854775808", "-18446744073709551615",
                           "99999999999999999999"})
    EXPECT_THROW(toWindowHandle(text), LanguageError) << text;
}

TEST(Language, UnknownWordsAndKindsDoNothing) {
  EngineFixture f;
  f.engine.execLine("nobody create");
  f.engine.execLine("new Television tv");
  f.factory.unavailable.insert(WaitId::TvTuner);
  f.engine.execLine("new TvTuner tune");
  EXPECT_TRUE(f.host.log.empty());
  EXPECT_TRUE(f.engine.undoList.empty());
  EXPECT_TRUE(f.engine.objectNames().empty());
}

TEST(Language, NewWithATakenNameDestroysTheEarlierObjectFirst) {
  EngineFixture f;
  f.engine.execLine("new GraphBuilder cFg");
  f.engine.execLine("cFg create");
  f.engine.execLine("label keep");
  f.engine.execLine("new GraphBuilder cFg");
  EXPECT_EQ(f.host.log, (Tokens{"make obj1", "obj1 create", "destroy obj1", "make obj2"}));
  EXPECT_EQ(f.engine.objectNames(), (Tokens{"cFg"}));
  EXPECT_FALSE(f.engine.currentGraph.expired());
  // The earlier object's undo lines went with it: a clean undoes only the new one.
  EXPECT_EQ(f.engine.undoList, (Tokens{"label keep", "delete cFg"}));
  f.engine.execLine("clean keep");
  EXPECT_EQ(f.host.log.back(), "destroy obj2");
  EXPECT_EQ(f.engine.undoList, (Tokens{"label keep"}));
}

TEST(Language, DeleteForgetsTheCurrentGraph) {
  EngineFixture f;
  f.engine.execLine("new GraphBuilder cFg");
  f.engine.execLine("delete cFg");
  EXPECT_TRUE(f.engine.currentGraph.expired());
  f.engine.execLine("delete cFg");  // a second delete finds nothing
  EXPECT_EQ(f.host.only("destroy").size(), 1u);
}

TEST(Language, ObjectsLeftAtTheEndAreDestroyedNewestFirst) {
  EngineFixture f;
  f.engine.execLine("new GraphBuilder cFg");
  f.engine.execLine("new Compress cComp");
  f.engine.execLine("new SoundMixer mix");
  f.host.log.clear();
  f.engine.destroyAllObjects();
  EXPECT_EQ(f.host.log, (Tokens{"destroy obj3", "destroy obj2", "destroy obj1"}));
}

TEST(Language, ErrorInsideAnUndoLineEmptiesTheListOnce) {
  EngineFixture f;
  f.engine.execLine("new GraphBuilder a");
  f.factory.failing = {"release"};
  f.engine.execLine("new GraphBuilder cFg");
  f.engine.execLine("cFg create");
  f.engine.execLine("new GraphBuilder c");
  f.host.log.clear();
  f.engine.execLine("clean");
  // "c" goes, then cFg's remove fails: its report runs a nested full clean of the rest.
  EXPECT_EQ(f.host.log, (Tokens{"destroy obj3", "obj2 release", "error failed release", "destroy obj2",
                                "destroy obj1"}));
  EXPECT_TRUE(f.engine.undoList.empty());
  EXPECT_TRUE(f.engine.objectNames().empty());
}

TEST(Language, LongNamesLeftAtTheEndAreDestroyedWithoutReadingAFreedName) {
  EngineFixture f;
  f.engine.execLine("new GraphBuilder aGraphNamedAtLength20");
  f.engine.execLine("new Compress aCompressorNamedLonger");
  f.host.log.clear();
  f.engine.destroyAllObjects();
  EXPECT_EQ(f.host.log, (Tokens{"destroy obj2", "destroy obj1"}));
  EXPECT_TRUE(f.engine.objectNames().empty());
}

TEST(Language, CleanUndoesObjectsAndLabelsWhoseNamesHoldBlanks) {
  EngineFixture f;
  for (const char* line : {"new GraphBuilder keep", "label \"set a\"", "new GraphBuilder \"keep z\"",
                           "\"keep z\" create"})
    f.engine.execLine(line);
  f.host.log.clear();
  f.engine.execLine("clean \"set a\"");
  EXPECT_EQ(f.host.log, (Tokens{"obj2 release", "destroy obj2"}));
  EXPECT_EQ(f.engine.objectNames(), (Tokens{"keep"}));
  EXPECT_EQ(f.engine.undoList.size(), 2u);  // keep's delete and the label
}
