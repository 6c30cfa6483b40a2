// Choosing and opening the video capture device, VCapSorce.dat and the picture properties,
// through engine lines over the COM fakes.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/messages.h"
#include "vcap_fixture.h"
#include "../../common/failing_steps.h"

using namespace vcaptest;
using Log = std::vector<std::wstring>;

namespace {

const wchar_t kNoDevice[] = L"error 「TVCapSorce::findVCapFilter()」でキャプチャフィルタの検索に失敗しました。(ID=3)";

class VCapCreate : public VCapOverFakes {};

}  // namespace

TEST_F(VCapCreate, FirstRunWithOnlyAVfWDeviceSavesAt125AndIgnoresQualities) {
  addDevice(L"vfw", L"VfW Card", false, true);
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(takeReplies(), (Log{postTo(0x1000, tvr::TVR_DRIVER, 2, 0)}));
  EXPECT_EQ(choice.shown, 0);
  std::vector<uint8_t> expected = {2, 0, 0, 0, 125, 0, 0, 0, 125, 0, 0, 0, 125, 0, 0, 0, 125, 0, 0, 0, 1, 0, 1, 0};
  for (char c : std::string("VfW Card")) expected.push_back(static_cast<uint8_t>(c));
  expected.push_back(0);
  EXPECT_EQ(read("VCapSorce.dat"), expected);

  runAll({"cVCap getQuality Brightness", "cVCap getQuality Hue", "cVCap setQuality Contrast 9"});
  EXPECT_EQ(takeReplies(), (Log{post(tvr::TVR_VIDEOPROP, 0, 125), post(tvr::TVR_VIDEOPROP, 2, 125)}));
  EXPECT_TRUE(kit.calls(L"vfw.Set(").empty());
  EXPECT_TRUE(kit.calls(L"vfw.Get(").empty());
  EXPECT_EQ(engine->undoList, (std::vector<std::string>{"delete cVCap", "cVCap remove"}));
}

TEST_F(VCapCreate, BothKindsAskOnceAndTheWdmChoiceIsReported) {
  Device wdm = addDevice(L"wdm", L"WDM Card", true, false);
  addDevice(L"vfw", L"VfW Card", false, true);
  choice.answer = kDriverChoiceWdm;
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(choice.shown, 1);
  EXPECT_EQ(takeReplies(), (Log{postTo(0x1000, tvr::TVR_DRIVER, 1, 1)}));
  std::optional<VCapSettings> stored = storedSettings();
  ASSERT_TRUE(stored);
  EXPECT_TRUE(stored->hasVfw && stored->hasWdm);
  EXPECT_FALSE(stored->useVfw);
  EXPECT_EQ(stored->vfwName, "VfW Card");
  EXPECT_EQ(stored->wdmName, "WDM Card");
  // The device's own values, not the 128s of the search.
  EXPECT_EQ(stored->brightness, 110);
  EXPECT_EQ(stored->contrast, 120);
  EXPECT_EQ(stored->hue, 130);
  EXPECT_EQ(stored->saturation, 140);
  EXPECT_EQ(source()->getFilter(), wdm.filter->filter());
}

TEST_F(VCapCreate, BothKindsWithTheVfWChoice) {
  fakes::FakeFilter* wdm = addDevice(L"wdm", L"WDM Card", true, false).filter;
  fakes::FakeFilter* vfw = addDevice(L"vfw", L"VfW Card", false, true).filter;
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(takeReplies(), (Log{postTo(0x1000, tvr::TVR_DRIVER, 2, 1)}));
  EXPECT_EQ(source()->getFilter(), vfw->filter());
  // The WDM device's picture control is still the one that answers.
  EXPECT_EQ(source()->getQuality(Hue), 130);
  EXPECT_NE(source()->getFilter(), wdm->filter());
}

TEST_F(VCapCreate, OneDeviceInBothRolesIsHeldOncePerRoleAndReleasedOncePerRole) {
  Device both = addDevice(L"card", L"Dual Card", true, true);
  choice.answer = kDriverChoiceWdm;
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(choice.shown, 1);
  EXPECT_EQ(takeReplies(), (Log{postTo(0x1000, tvr::TVR_DRIVER, 1, 1)}));
  std::optional<VCapSettings> stored = storedSettings();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->vfwName, "Dual Card");
  EXPECT_EQ(stored->wdmName, "Dual Card");
  EXPECT_EQ(source()->getFilter(), both.filter->filter());
  // Four references: each filter role and its interface.
  EXPECT_EQ(both.filter->refs(), 4);
  run("cVCap remove");
  EXPECT_EQ(both.filter->refs(), 0);
  EXPECT_FALSE(both.filter->overReleased());

  // Opened again from the file: the device is bound once for each role.
  run("cVCap create");
  EXPECT_EQ(choice.shown, 1);
  EXPECT_EQ(kit.calls(L"card.moniker.BindToObject").size(), 3u);
  EXPECT_EQ(both.filter->refs(), 4);
}

TEST_F(VCapCreate, TheLastDeviceOfAKindWinsAndTheEarlierIsLetGo) {
  Device first = addDevice(L"wdm1", L"First", true, false);
  Device second = addDevice(L"wdm2", L"Second", true, false);
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(takeReplies(), (Log{postTo(0x1000, tvr::TVR_DRIVER, 1, 0)}));
  EXPECT_EQ(first.filter->refs(), 0);
  EXPECT_EQ(source()->getFilter(), second.filter->filter());
  EXPECT_EQ(storedSettings()->wdmName, "Second");
}

TEST_F(VCapCreate, AnEmptyCategoryReportsTheSearchAndUndoesEverything) {
  EXPECT_FALSE(run("new VCapSorce cVCap") && run("cVCap create"));
  EXPECT_EQ(takeReplies(), (Log{kNoDevice}));
  EXPECT_TRUE(engine->objectNames().empty());
  EXPECT_TRUE(engine->undoList.empty());
  EXPECT_FALSE(read("VCapSorce.dat"));
  EXPECT_EQ(kit.calls(L"com."), (Log{L"com.CoCreateInstance(CLSID_SystemDeviceEnum, 3, IID_ICreateDevEnum)"}));
  // Words to an object that is gone do nothing.
  EXPECT_TRUE(run("cVCap getQuality Hue"));
  EXPECT_TRUE(host.replies.empty());
}

TEST_F(VCapCreate, DevicesOfNeitherKindAreLetGoAndCountAsNone) {
  Device plain = addDevice(L"plain", L"Plain", false, false);
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(takeReplies(), (Log{kNoDevice}));
  EXPECT_EQ(plain.filter->refs(), 0);
}

TEST_F(VCapCreate, EnumeratorFailuresHaveTheirOwnTexts) {
  kit.fail(L"com.CoCreateInstance(CLSID_SystemDeviceEnum", REGDB_E_CLASSNOTREG, 1);
  runAll({"new VCapSorce cVCap", "cVCap create"});
  kit.fail(L"devenum.CreateClassEnumerator", E_FAIL, 1);
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(takeReplies(),
            (Log{L"error 「TVCapSorce::findVCapFilter()」で「SystemDeviceEnum」の「CoCreateInstance」に失敗しました。(ID=1)",
                 L"error 「TVCapSorce::findVCapFilter()」で「CreateClassEnumerator」に失敗しました。(ID=2)"}));
}

TEST_F(VCapCreate, DevicesWhoseNameOrFilterCannotBeHadAreSkipped) {
  Device broken = addDevice(L"broken", L"Broken", true, false);
  broken.moniker->bag->values.erase(L"FriendlyName");
  Device unbound = addDevice(L"unbound", L"Unbound", true, false);
  unbound.moniker->filter = nullptr;
  Device good = addDevice(L"good", L"Good", false, true);
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(takeReplies(), (Log{postTo(0x1000, tvr::TVR_DRIVER, 2, 0)}));
  EXPECT_EQ(source()->getFilter(), good.filter->filter());
  EXPECT_EQ(broken.filter->refs(), 0);
}

TEST_F(VCapCreate, StoredDevicesAreOpenedByNameWithoutSearchOrDialog) {
  Device wdm = addDevice(L"wdm", L"WDM Card", true, false);
  addDevice(L"vfw", L"VfW Card", false, true);
  VCapSettings stored;
  stored.version = 2;
  stored.brightness = 1;
  stored.contrast = 2;
  stored.hue = 3;
  stored.saturation = 4;
  stored.hasVfw = stored.hasWdm = true;
  stored.useVfw = false;
  stored.vfwName = "VfW Card";
  stored.wdmName = "WDM Card";
  write("VCapSorce.dat", encodeVCapSettings(stored));
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(takeReplies(), (Log{postTo(0x1000, tvr::TVR_DRIVER, 1, 1)}));
  EXPECT_EQ(choice.shown, 0);
  EXPECT_EQ(source()->getFilter(), wdm.filter->filter());
  // Kept, not applied to the device, not written back.
  EXPECT_TRUE(kit.calls(L"wdm.Set(").empty());
  EXPECT_EQ(storedSettings(), stored);
  // loadQuality applies them in the order Saturation, Brightness, Contrast, Hue.
  run("cVCap loadQuality");
  EXPECT_EQ(kit.calls(L"wdm.Set("), (Log{L"wdm.Set(3, 4, 2)", L"wdm.Set(0, 1, 2)", L"wdm.Set(1, 2, 2)",
                                         L"wdm.Set(2, 3, 2)"}));
}

TEST_F(VCapCreate, AStoredDeviceThatIsGoneIsReportedAndSearchedAfresh) {
  Device vfw = addDevice(L"vfw", L"VfW Card", false, true);
  Device wdm = addDevice(L"wdm", L"New WDM", true, false);
  VCapSettings stored;
  stored.version = 2;
  stored.brightness = stored.contrast = stored.hue = stored.saturation = 1;
  stored.hasVfw = stored.hasWdm = true;
  stored.useVfw = true;
  stored.vfwName = "VfW Card";
  stored.wdmName = "Old WDM";
  write("VCapSorce.dat", encodeVCapSettings(stored));
  choice.answer = kDriverChoiceVfw;
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(takeReplies(), (Log{L"error クラス「filterHandler」の「findFilter」でフィルタの検索に失敗しました。(ID=7)",
                                postTo(0x1000, tvr::TVR_DRIVER, 2, 1)}));
  EXPECT_EQ(choice.shown, 1);
  std::optional<VCapSettings> now = storedSettings();
  ASSERT_TRUE(now);
  EXPECT_EQ(now->wdmName, "New WDM");
  EXPECT_EQ(now->brightness, 110);
  // The VfW filter bound from the file was let go before the search bound it again.
  EXPECT_EQ(vfw.filter->refs(), 2);
  EXPECT_EQ(wdm.filter->refs(), 2);
}

TEST_F(VCapCreate, MalformedOrOldSettingsFilesCountAsMissing) {
  addDevice(L"vfw", L"VfW Card", false, true);
  VCapSettings stored;
  stored.version = 1;
  stored.hasVfw = true;
  stored.vfwName = "VfW Card";
  write("VCapSorce.dat", encodeVCapSettings(stored));
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(takeReplies(), (Log{postTo(0x1000, tvr::TVR_DRIVER, 2, 0)}));
  EXPECT_EQ(storedSettings()->version, 2);
  EXPECT_EQ(kit.calls(L"devenum.CreateClassEnumerator").size(), 1u);  // the search, no lookup by name

  stored.version = 2;
  std::vector<uint8_t> truncated = encodeVCapSettings(stored);
  truncated.pop_back();  // the name's NUL
  write("VCapSorce.dat", truncated);
  runAll({"cVCap remove", "cVCap create"});
  EXPECT_EQ(takeReplies(), (Log{postTo(0x1000, tvr::TVR_DRIVER, 2, 0)}));
  EXPECT_TRUE(storedSettings());
}

TEST_F(VCapCreate, ACardWithoutHueStillOpensSavesAndRemoves) {
  Device wdm = addDevice(L"wdm", L"No Hue", true, false);
  kit.fail(L"wdm.Get(2,", E_PROP_ID_UNSUPPORTED);
  kit.fail(L"wdm.Set(2,", E_PROP_ID_UNSUPPORTED);
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(takeReplies(), (Log{postTo(0x1000, tvr::TVR_DRIVER, 1, 0)}));
  std::optional<VCapSettings> stored = storedSettings();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->hue, 128);  // kept, as the card cannot tell it
  EXPECT_EQ(stored->brightness, 110);
  // Putting the values back passes over hue; asking for hue is still an error.
  run("cVCap loadQuality");
  EXPECT_TRUE(takeReplies().empty());
  EXPECT_EQ(kit.calls(L"wdm.Set(").size(), 4u);
  wdm.filter->procAmp[Brightness] = 99;
  run("cVCap remove");
  EXPECT_TRUE(takeReplies().empty());
  EXPECT_EQ(storedSettings()->brightness, 99);
}

TEST_F(VCapCreate, QualityIsReadAndSetOnTheWdmDevice) {
  Device wdm = addDevice(L"wdm", L"WDM Card", true, false);
  runAll({"new VCapSorce cVCap", "cVCap create"});
  takeReplies();
  wdm.filter->procAmp[Saturation] = 150;  // read from the device when asked, not when opened
  runAll({"cVCap setQuality Brightness 77", "cVCap getQuality Saturation", "cVCap getQuality Brightness",
          "cVCap getQuality brightness"});
  EXPECT_EQ(kit.calls(L"wdm.Set("), (Log{L"wdm.Set(0, 77, 2)"}));
  EXPECT_EQ(takeReplies(), (Log{post(tvr::TVR_VIDEOPROP, 3, 150), post(tvr::TVR_VIDEOPROP, 0, 77)}));
  run("cVCap remove");
  EXPECT_EQ(storedSettings()->brightness, 77);
}

TEST_F(VCapCreate, QualityFailuresAreDeviceErrors) {
  addDevice(L"wdm", L"WDM Card", true, false);
  runAll({"new VCapSorce cVCap", "cVCap create"});
  takeReplies();
  kit.fail(L"wdm.Get(2", E_FAIL, 1);
  EXPECT_FALSE(run("cVCap getQuality Hue"));
  // The undo runs remove: the settings are saved (hue kept) and the object deleted.
  EXPECT_EQ(takeReplies(), (Log{L"error ビデオ信号品質の取得に失敗しました。"}));
  EXPECT_TRUE(engine->objectNames().empty());

  runAll({"new VCapSorce cVCap", "cVCap create"});
  takeReplies();
  kit.fail(L"wdm.Set(", E_FAIL, 1);
  EXPECT_FALSE(run("cVCap setQuality Hue 5"));
  EXPECT_EQ(takeReplies(), (Log{L"error ビデオ信号品質の設定に失敗しました。"}));
  EXPECT_EQ(storedSettings()->hue, 130);
}

TEST_F(VCapCreate, RemoveSavesOnlyAnOpenedDevice) {
  Device wdm = addDevice(L"wdm", L"WDM Card", true, false);
  // Before any create: nothing to save, so a good file stays as it is.
  VCapSettings stored;
  stored.version = 2;
  stored.hue = 42;
  stored.hasWdm = true;
  stored.wdmName = "WDM Card";
  write("VCapSorce.dat", encodeVCapSettings(stored));
  runAll({"new VCapSorce cVCap", "cVCap remove", "cVCap chgDriver VfW"});
  EXPECT_EQ(storedSettings(), stored);
  runAll({"cVCap create", "cVCap remove"});
  EXPECT_EQ(storedSettings()->hue, 130);
  // A second remove (the undo after an explicit one) does not write the 125 of a device
  // without its picture control.
  wdm.filter->procAmp[Hue] = 1;
  run("cVCap remove");
  EXPECT_EQ(storedSettings()->hue, 130);
}

TEST_F(VCapCreate, ASettingsFileThatCannotBeWrittenIsReportedAndCreateGoesOn) {
  devices.programDir = folder.path() + "missing\\";
  addDevice(L"vfw", L"VfW Card", false, true);
  runAll({"new VCapSorce cVCap", "cVCap create"});
  EXPECT_EQ(takeReplies(), (Log{L"error TVCapSorce::~TVCapSorce()でファイルVCapSorce.datを生成できません。",
                                postTo(0x1000, tvr::TVR_DRIVER, 2, 0)}));
  EXPECT_EQ(engine->undoList, (std::vector<std::string>{"delete cVCap", "cVCap remove"}));
}

TEST_F(VCapCreate, TheGraphAddsTheFilterOfTheKindInUse) {
  addDevice(L"wdm", L"WDM Card", true, false);
  addDevice(L"vfw", L"VfW Card", false, true);
  runAll({"new GraphBuilder cFg", "cFg create", "new VCapSorce cVCap", "cVCap create", "cFg add cVCap",
          "cVCap chgDriver WDM", "cFg add cVCap"});
  EXPECT_EQ(kit.calls(L"graph.AddFilter"), (Log{L"graph.AddFilter(vfw, null)", L"graph.AddFilter(wdm, null)"}));
  EXPECT_FALSE(storedSettings()->useVfw);
}

TEST_F(VCapCreate, VCapSorceDatIsNeverHalfWritten) {
  addDevice(L"vfw", L"VfW Card", false, true);
  VCapSettings old;
  old.version = 2;
  old.hasWdm = true;
  old.wdmName = "Gone Card";
  failing_steps::expectNeverHalfWritten({{file("VCapSorce.dat"), encodeVCapSettings(old)}}, [&] {
    runAll({"new VCapSorce cVCap", "cVCap create", "delete cVCap"});
    const Log replies = takeReplies();
    return std::count(replies.begin(), replies.end(),
                      L"error TVCapSorce::~TVCapSorce()でファイルVCapSorce.datを生成できません。") > 0;
  });
}
