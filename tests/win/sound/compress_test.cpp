// The video compressor over the COM fakes: the compressor list and its block, binding by name,
// the profile's compressor file, the configuration dialog and state, and every error text.
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "common/messages.h"
#include "sound_fixture.h"
#include "../../common/failing_steps.h"
#include "winui/text.h"

using namespace soundtest;

namespace {

const wchar_t kNotFound[] = L"クラス「TCompress」の「create()」で指定したコンプレッサが見つかりませんでした。";

class Comp : public SoundOverFakes {
 protected:
  // Codec A and Codec B with dialogs, "Plain" without, and one whose name is empty.
  void install() {
    a = addCompressor(L"a", L"Codec A");
    plain = addCompressor(L"plain", L"Plain", false);
    b = addCompressor(L"b", L"Codec B");
    unnamed = addCompressor(L"unnamed", L"");
  }
  // The compressor object opened with profile q; replies and calls so far forgotten.
  void open() {
    runOk({"new Compress cComp", "cComp create q"});
    takeReplies();
    kit.log.clear();
  }
  void storeProfile(const std::string& name, std::optional<std::string> friendlyName, Bytes state) {
    write(name, encodeVCompressFile({std::move(friendlyName), std::move(state)}));
  }
  std::optional<VCompressProfile> stored(const std::string& name) const {
    std::optional<Bytes> data = read(name);
    return data ? decodeVCompressFile(*data) : std::nullopt;
  }
  static VCompressProfile profile(std::optional<std::string> friendlyName, Bytes state = {}) {
    return {std::move(friendlyName), std::move(state)};
  }
  IBaseFilter* filterOfObject() { return engine->object("cComp")->getFilter(); }

  Compressor a, plain, b, unnamed;
};

}  // namespace

TEST_F(Comp, TheListHoldsNamedCompressorsWithDialogsAndIsSentBeforeTheIndexOfTheChosenOne) {
  install();
  open();
  runOk({"cComp enumCompNames"});
  EXPECT_EQ(takeReplies(), (Log{L"copydata 6 20", post(tvr::TVR_COMPINDEX, -1, 0)}));
  EXPECT_EQ(host.copyData, std::vector<Bytes>{encodeCompNames({"Codec A", "Codec B"})});
  Log calls;
  for (const std::wstring& call : kit.log)
    if (call.rfind(L"a.", 0) == 0) calls.push_back(call);
  EXPECT_EQ(calls, (Log{L"a.moniker.BindToStorage(null, null, IID_IPropertyBag)", L"a.bag.Read(\"FriendlyName\")",
                        L"a.moniker.BindToObject(null, null, IID_IBaseFilter)",
                        L"a.QueryInterface(IID_IAMVfwCompressDialogs)"}));
  EXPECT_EQ(kit.log.front(), L"com.CoCreateInstance(CLSID_SystemDeviceEnum, 3, IID_ICreateDevEnum)");
  EXPECT_EQ(kit.calls(L"devenum.CreateClassEnumerator"),
            Log{L"devenum.CreateClassEnumerator(CLSID_VideoCompressorCategory, 0)"});
  // Every bound compressor was let go again.
  for (const Compressor* c : {&a, &plain, &b, &unnamed}) EXPECT_EQ(c->filter->refs(), 0);
  runOk({"cComp setCompKind \"Codec B\"", "cComp enumCompNames"});
  EXPECT_EQ(takeReplies(), (Log{L"copydata 6 20", post(tvr::TVR_COMPINDEX, 1, 0)}));
  // A chosen compressor that is not listed (it has no dialogs) answers -1, and so does one
  // let go by remove; a second remove keeps the file the first one wrote.
  runOk({"cComp setCompKind Plain", "cComp enumCompNames", "cComp setCompKind \"Codec A\"", "cComp remove",
         "cComp remove", "cComp enumCompNames"});
  const Log unlisted = {L"copydata 6 20", post(tvr::TVR_COMPINDEX, -1, 0)};
  EXPECT_EQ(takeReplies(), (Log{unlisted[0], unlisted[1], unlisted[0], unlisted[1]}));
  EXPECT_EQ(stored("q.vCompress"), profile("Codec A"));
}

// The enumerator of an empty category is none at all (S_FALSE).
TEST_F(Comp, AnEmptyCategoryIsAnEmptyList) {
  open();
  runOk({"cComp enumCompNames"});
  EXPECT_EQ(takeReplies(), (Log{L"copydata 6 4", post(tvr::TVR_COMPINDEX, -1, 0)}));
  EXPECT_EQ(host.copyData.back(), (Bytes{0, 0, 0, 0}));
  run("new Compress cComp");
  expectUndone("cComp setCompKind X", kNotFound);
}

TEST_F(Comp, WithoutAProfileFileThereIsNoCompressorAndRemoveWritesTwelveBytes) {
  install();
  open();
  EXPECT_EQ(filterOfObject(), nullptr);
  engine->argDwords["form"] = 0x1234;
  runOk({"cComp compDialog form", "cComp setCmpState"});
  EXPECT_EQ(takeReplies(), Log{post(tvr::TVR_COMPDONE, 0, 0)});
  EXPECT_TRUE(kit.log.empty());
  runOk({"cComp remove"});
  EXPECT_EQ(read("q.vCompress"), (Bytes{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(Comp, AProfileFileBindsItsCompressorByNameAndKeepsItsStateForLater) {
  install();
  storeProfile("q.vCompress", "Codec B", {7, 8, 9});
  runOk({"new Compress cComp", "cComp create q"});
  EXPECT_EQ(engine->undoList, (std::vector<std::string>{"delete cComp", "cComp remove"}));
  EXPECT_EQ(filterOfObject(), b.filter->filter());
  EXPECT_EQ(kit.calls(L"b.moniker.BindToObject"), Log{L"b.moniker.BindToObject(null, null, IID_IBaseFilter)"});
  // The walk stops at the match, and no other compressor was bound.
  EXPECT_TRUE(kit.calls(L"unnamed.").empty());
  EXPECT_TRUE(kit.calls(L"a.moniker.BindToObject").empty());
  EXPECT_TRUE(kit.calls(L"b.dialogs.").empty());  // not applied yet
  kit.log.clear();
  runOk({"cComp setCmpState"});
  EXPECT_EQ(kit.callsWithoutQueries(), Log{L"b.dialogs.SetState(3, 7)"});
  EXPECT_EQ(b.dialogs->state, (Bytes{7, 8, 9}));
  runOk({"cComp remove"});
  EXPECT_EQ(stored("q.vCompress"), profile("Codec B", {7, 8, 9}));
  EXPECT_EQ(b.filter->refs(), 0);
  EXPECT_EQ(b.dialogs->refs(), 0);
}

TEST_F(Comp, ListAndOpenErrorsAreReportedSendNoBlockAndUndoEverything) {
  install();
  write("q.vCompress", {1, 0, 0, 0, 1, 0, 0, 0, 9, 0, 0, 0, 1});  // a state past the end
  run("new Compress cComp");
  expectUndone("cComp create q", L"データファイル「*.vCompress」が存在するのに開けません。");
  storeProfile("q.vCompress", "Gone", {});
  run("new Compress cComp");
  expectUndone("cComp create q", kNotFound);
  storeProfile("q.vCompress", "Codec B", {});
  struct Case {
    const char* line;
    const wchar_t *failing, *text;
  };
  const Case cases[] = {
      {"cComp enumCompNames", L"com.CoCreateInstance",
       L"クラス「TCompress」の「enumCompNames()」で「CoCreateInstance」に失敗しました。"},
      {"cComp enumCompNames", L"devenum.CreateClassEnumerator",
       L"クラス「TCompress」の「enumCompNames()」で「CreateClassEnumerator」に失敗しました。"},
      {"cComp enumCompNames", L"b.moniker.BindToStorage",
       L"クラス「TCompress」の「enumCompNames()」で「BindToStorage」に失敗しました。"},
      {"cComp create q", L"com.CoCreateInstance", L"クラス「TCompress」の「create()」で「CoCreateInstance」に失敗しました。"},
      {"cComp create q", L"devenum.CreateClassEnumerator",
       L"クラス「TCompress」の「create()」で「CreateClassEnumerator」に失敗しました。"},
      {"cComp create q", L"plain.moniker.BindToStorage",
       L"クラス「TCompress」の「create()」で「BindToStorage」に失敗しました。"},
      {"cComp create q", L"b.moniker.BindToObject", L"クラス「TCompress」の「create()」で「BindToObject」に失敗しました。"},
  };
  for (const Case& c : cases) {
    run("new Compress cComp");
    kit.fail(c.failing, E_FAIL, 1);
    expectUndone(c.line, c.text);
  }
  EXPECT_TRUE(host.copyData.empty());
  // None of the failed opens wrote the profile's file.
  EXPECT_EQ(stored("q.vCompress"), profile("Codec B"));
}

TEST_F(Comp, ChoosingTheCurrentCompressorAgainKeepsFilterAndState) {
  install();
  storeProfile("q.vCompress", "Codec A", {5});
  open();
  runOk({"cComp setCompKind \"Codec A\""});
  EXPECT_TRUE(kit.log.empty());
  runOk({"cComp setCompKind \"Codec B\""});
  EXPECT_EQ(filterOfObject(), b.filter->filter());
  EXPECT_EQ(a.filter->refs(), 0);
  runOk({"cComp remove"});
  EXPECT_EQ(stored("q.vCompress"), profile("Codec B"));  // the old state went with the old compressor
}

TEST_F(Comp, AChoiceThatCannotBeBoundLeavesTheProfilesCompressor) {
  install();
  storeProfile("q.vCompress", "Codec A", {5, 6});
  open();
  expectUndone("cComp setCompKind Gone", kNotFound);
  // The undo's remove wrote the compressor the profile had.
  EXPECT_EQ(stored("q.vCompress"), profile("Codec A", {5, 6}));
  storeProfile("q.vCompress", "Codec A", {5, 6});
  open();
  kit.fail(L"b.moniker.BindToObject", E_FAIL, 1);
  expectUndone("cComp setCompKind \"Codec B\"", L"クラス「TCompress」の「create()」で「BindToObject」に失敗しました。");
  EXPECT_EQ(stored("q.vCompress"), profile("Codec A", {5, 6}));
  EXPECT_EQ(a.filter->refs(), 0);
  EXPECT_EQ(b.filter->refs(), 0);
}

TEST_F(Comp, TheDialogGetsTheKeptStateAndLeavesTheCompressorsState) {
  install();
  storeProfile("q.vCompress", "Codec A", {5, 6});
  open();
  a.dialogs->afterDialog = {9, 9, 9, 9};
  engine->argDwords["form"] = 0x1234;
  runOk({"cComp compDialog form"});
  EXPECT_EQ(kit.callsWithoutQueries(),
            (Log{L"a.dialogs.ShowDialog(4, 4660)", L"a.dialogs.SetState(2, 5)", L"a.dialogs.ShowDialog(1, 4660)",
                 L"a.dialogs.GetState(null, 0)", L"a.dialogs.GetState(out, 4)"}));
  EXPECT_EQ(takeReplies(), Log{post(tvr::TVR_COMPDONE, 0, 0)});
  // The dialogs interface is found once and kept.
  kit.log.clear();
  runOk({"cComp compDialog form"});
  EXPECT_TRUE(kit.calls(L"a.QueryInterface").empty());
  runOk({"cComp remove"});
  EXPECT_EQ(stored("q.vCompress"), profile("Codec A", {9, 9, 9, 9}));
}

TEST_F(Comp, ACompressorWithoutAConfigurationDialogIsShownAsUnsupported) {
  install();
  storeProfile("q.vCompress", "Codec A", {5, 6});
  open();
  a.dialogs->hasConfig = false;
  a.dialogs->state = {1};
  EXPECT_TRUE(run("cComp compDialog form"));
  EXPECT_EQ(takeReplies(),
            (Log{L"error 「TCompress::showDialog()」でサポートしていないダイアログを表示しようとしました。",
                 post(tvr::TVR_COMPDONE, 0, 0)}));
  EXPECT_EQ(kit.callsWithoutQueries(),
            (Log{L"a.dialogs.ShowDialog(4, 0)", L"a.dialogs.GetState(null, 0)", L"a.dialogs.GetState(out, 1)"}));
  // A compressor without any state leaves none.
  a.dialogs->state.clear();
  runOk({"cComp compDialog form", "cComp remove"});
  EXPECT_EQ(stored("q.vCompress"), profile("Codec A"));
}

TEST_F(Comp, DialogAndStateErrorsAreReportedAndUndoEverything) {
  install();
  storeProfile("q.vCompress", "Plain", {});
  open();
  expectUndone("cComp compDialog form",
               L"クラス「TCaptureGraphBuilder」の「showDialog()」で「FindInterface」に失敗しました。");
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"a.dialogs.GetState(null",
       L"クラス「TCaptureGraphBuilder」の「getCmpState()」で「GetState(1)」に失敗しました。"},
      {L"a.dialogs.GetState(out",
       L"クラス「TCaptureGraphBuilder」の「getCmpState()」で「GetState(2)」に失敗しました。"},
      {L"a.dialogs.SetState", L"クラス「TCaptureGraphBuilder」の「setCmpState()」で「SetState」に失敗しました。"},
  };
  for (const auto& [failing, text] : cases) {
    storeProfile("q.vCompress", "Codec A", {5, 6});
    a.dialogs->state = {5, 6};
    open();
    kit.fail(failing, E_FAIL, 1);
    expectUndone("cComp compDialog form", text);
    // The undo's remove kept the state last known good.
    EXPECT_EQ(stored("q.vCompress"), profile("Codec A", {5, 6})) << failing;
  }
}

TEST_F(Comp, AFailedWriteIsShownReleasesEverythingAndNeverRaises) {
  install();
  storeProfile("q.vCompress", "Codec A", {5});
  open();
  runOk({"cComp compQualityName dir"});
  ASSERT_TRUE(CreateDirectoryW(winui::widen(file("dir.vCompress")).c_str(), nullptr));
  // From the undo list: the error is shown once, the clean goes on to the end.
  runOk({"label mark"});
  engine->clean("");
  EXPECT_EQ(takeReplies(), Log{L"error TCompress::remove()で「*.vCompress」を生成できませんでした。"});
  EXPECT_TRUE(engine->objectNames().empty());
  EXPECT_EQ(a.filter->refs(), 0);
  RemoveDirectoryW(winui::widen(file("dir.vCompress")).c_str());
}

TEST_F(Comp, ProfileNameAndDelete) {
  install();
  open();
  runOk({"cComp setCompKind \"Codec A\""});
  run(std::wstring(L"cComp compQualityName \"ＴＶ 2\""));
  runOk({"cComp remove"});
  EXPECT_FALSE(read("q.vCompress"));
  EXPECT_EQ(stored(sj(L"ＴＶ 2.vCompress")), profile("Codec A"));
  run(std::wstring(L"cComp deleteComp \"ＴＶ 2\""));
  runOk({"cComp deleteComp missing"});
  EXPECT_FALSE(read(sj(L"ＴＶ 2.vCompress")));
  EXPECT_TRUE(takeReplies().empty());
}

TEST_F(Comp, TheProfileIsNeverHalfWritten) {
  install();
  const Bytes old = encodeVCompressFile(profile("Codec B", {7}));
  // Each remove writes "no compressor", made under another name and renamed to q.
  failing_steps::expectNeverHalfWritten({{file("q.vCompress"), old}}, [&] {
    runOk({"new Compress cComp", "cComp create p", "cComp compQualityName q", "cComp remove", "delete cComp"});
    return takeReplies() == Log{L"error TCompress::remove()で「*.vCompress」を生成できませんでした。"};
  });
}
