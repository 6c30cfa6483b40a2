// The capture pin of the video source: stream configuration, driver dialogs, formats and their
// profile files, frame rate, buffers and the change of driver kind, over the COM fakes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/messages.h"
#include "grabcore/core/video_info.h"
#include "vcap_fixture.h"
#include "../../common/failing_steps.h"

using namespace vcaptest;
using Log = std::vector<std::wstring>;

namespace {

class VCapFormat : public VCapOverFakes {
 protected:
  // One device of the kind, opened; replies and calls so far forgotten.
  Device open(bool wdm) {
    Device device = wdm ? addDevice(L"wdm", L"WDM Card", true, false) : addDevice(L"vfw", L"VfW Card", false, true);
    runAll({"new VCapSorce cVCap", "cVCap create"});
    takeReplies();
    kit.log.clear();
    return device;
  }
  // Both kinds, the WDM one in use.
  std::pair<Device, Device> openBoth() {
    Device wdm = addDevice(L"wdm", L"WDM Card", true, false);
    Device vfw = addDevice(L"vfw", L"VfW Card", false, true);
    choice.answer = kDriverChoiceWdm;
    runAll({"new VCapSorce cVCap", "cVCap create"});
    takeReplies();
    kit.log.clear();
    return {wdm, vfw};
  }
  static int64_t frameTimeOf(const Device& device) {
    return reinterpret_cast<const VIDEOINFOHEADER*>(device.capture->formatBlock.data())->AvgTimePerFrame;
  }
  static std::wstring frameRateReply(double rate) {
    DoubleHalves halves = splitDouble(rate);
    return post(tvr::TVR_FRAMERATE, halves.low, halves.high);
  }
};

}  // namespace

TEST_F(VCapFormat, TheCapturePinIsTheFirstOutputPinOfTheCaptureCategory) {
  Device wdm = open(true);
  run("cVCap getVideoSize");
  EXPECT_EQ(takeReplies(), (Log{post(tvr::TVR_VIDEOSIZE, 640, 480)}));
  EXPECT_EQ(kit.callsWithoutQueries(),
            (Log{L"wdm.EnumPins()", L"wdm.pins.Next(1)", L"wdm.in.QueryPinInfo()", L"wdm.pins.Next(1)",
                 L"wdm.preview.QueryPinInfo()", L"wdm.preview.Get(AMPROPSETID_Pin, 0, 16)", L"wdm.pins.Next(1)",
                 L"wdm.capture.QueryPinInfo()", L"wdm.capture.Get(AMPROPSETID_Pin, 0, 16)",
                 L"wdm.capture.GetFormat()"}));
  // Found once, then kept.
  kit.log.clear();
  run("cVCap getVideoSize");
  EXPECT_EQ(kit.callsWithoutQueries(), (Log{L"wdm.capture.GetFormat()"}));
  EXPECT_EQ(wdm.capture->refs(), 2);  // stream configuration and buffer negotiation
}

TEST_F(VCapFormat, PinSearchFailuresAreDeviceErrors) {
  Device wdm = open(true);
  kit.fail(L"wdm.EnumPins", E_FAIL, 1);
  EXPECT_FALSE(run("cVCap getVideoSize"));
  EXPECT_EQ(takeReplies(), (Log{L"error クラス「TVCapSorce」の「strmCnfPtr()」で「EnumPins」に失敗しました。"}));
  runAll({"new VCapSorce cVCap", "cVCap create"});
  takeReplies();
  wdm.capture->category = PIN_CATEGORY_PREVIEW;
  EXPECT_FALSE(run("cVCap getVideoSize"));
  EXPECT_EQ(takeReplies(),
            (Log{L"error クラス「TVCapSorce」の「strmCnfPtr()」でキャプチャピンの検索に失敗しました。"}));
}

TEST_F(VCapFormat, APinWithoutBufferNegotiationIsAnnouncedAndAllocPropDoesNothing) {
  Device wdm = open(true);
  wdm.capture->withhold(IID_IAMBufferNegotiation);
  run("cVCap allocProp");
  EXPECT_EQ(takeReplies(), (Log{L"message IAMBufferNegotiation not found"}));
  EXPECT_TRUE(kit.calls(L"wdm.capture.SuggestAllocatorProperties").empty());
}

TEST_F(VCapFormat, AllocPropAsksForSixteenBuffersEachTime) {
  Device wdm = open(true);
  wdm.capture->allocator = {4, 614400, 8, 2};
  runAll({"cVCap allocProp", "cVCap allocProp"});
  EXPECT_TRUE(takeReplies().empty());
  EXPECT_EQ(kit.calls(L"wdm.capture.SuggestAllocatorProperties"),
            (Log{L"wdm.capture.SuggestAllocatorProperties(16, 614400, 8, 2)",
                 L"wdm.capture.SuggestAllocatorProperties(16, 614400, 8, 2)"}));
  // Without an allocator yet, the other fields ask for nothing in particular.
  kit.fail(L"wdm.capture.GetAllocatorProperties", E_FAIL, 1);
  run("cVCap allocProp");
  EXPECT_EQ(kit.calls(L"wdm.capture.SuggestAllocatorProperties").back(),
            L"wdm.capture.SuggestAllocatorProperties(16, -1, -1, -1)");
  EXPECT_EQ(wdm.capture->refs(), 1);  // the buffer negotiation is let go after each use
}

TEST_F(VCapFormat, VideoSizeFailuresAndOtherFormats) {
  Device wdm = open(true);
  wdm.capture->format.formattype = FORMAT_WaveFormatEx;
  run("cVCap getVideoSize");
  EXPECT_EQ(takeReplies(), (Log{post(tvr::TVR_VIDEOSIZE, 0, 0)}));
  // A VIDEOINFOHEADER cut short is no size either.
  wdm.capture->format.formattype = FORMAT_VideoInfo;
  wdm.capture->formatBlock.resize(56);
  wdm.capture->format.cbFormat = 56;
  run("cVCap getVideoSize");
  EXPECT_EQ(takeReplies(), (Log{post(tvr::TVR_VIDEOSIZE, 0, 0)}));
  runAll({"cVCap loadFormat q", "cVCap saveFormat"});  // nor saved: loadFormat would refuse it
  EXPECT_FALSE(read("q.video2"));
  kit.fail(L"wdm.capture.GetFormat", E_FAIL, 1);
  EXPECT_FALSE(run("cVCap getVideoSize"));
  EXPECT_EQ(takeReplies(), (Log{L"error クラス「TVCapSorce」の「getVideoSize()」で「GetFormat」に失敗しました。"}));
}

TEST_F(VCapFormat, VfWDialogsAreShownWithTheNamedWindowAndAnsweredAfterwards) {
  Device vfw = open(false);
  engine->argDwords["form"] = 0x1234;
  vfw.filter->dialogs = {VfwCaptureDialog_Source};
  runAll({"cVCap videoDialog Source form", "cVCap videoDialog Display form"});
  EXPECT_EQ(kit.callsWithoutQueries(), (Log{L"vfw.HasDialog(1)", L"vfw.ShowDialog(1, 4660)", L"vfw.HasDialog(4)",
                                            L"vfw.ShowDialog(4, 4660)"}));
  EXPECT_EQ(takeReplies(), (Log{post(tvr::TVR_FORMATDONE, 1, 0), post(tvr::TVR_FORMATDONE, 4, 0)}));
  // A failing HasDialog: the unsupported-dialog error, and the command goes on.
  kit.fail(L"vfw.HasDialog", E_FAIL, 1);
  EXPECT_TRUE(run("cVCap videoDialog Format form"));
  EXPECT_EQ(takeReplies(),
            (Log{L"error 「TVCapSorce::showDialog()」でサポートしていないダイアログを表示しようとしました。",
                 post(tvr::TVR_FORMATDONE, 2, 0)}));
  EXPECT_EQ(kit.calls(L"vfw.ShowDialog").size(), 2u);
}

TEST_F(VCapFormat, TheWdmFormatDialogIsThePinsPropertyFrame) {
  Device wdm = open(true);
  runAll({"cVCap videoDialog Source form", "cVCap videoDialog Display form"});
  EXPECT_TRUE(frames.shown.empty());
  run("cVCap videoDialog Format form");
  EXPECT_EQ(frames.shown, (Log{L"WDM Card wdm.capture 0"}));
  EXPECT_EQ(takeReplies(), (Log{post(tvr::TVR_FORMATDONE, 1, 0), post(tvr::TVR_FORMATDONE, 4, 0),
                                post(tvr::TVR_FORMATDONE, 2, 0)}));
  // A pin without property pages shows nothing and reports nothing.
  wdm.capture->withhold(IID_ISpecifyPropertyPages);
  run("cVCap videoDialog Format form");
  EXPECT_EQ(frames.shown.size(), 1u);
  EXPECT_EQ(takeReplies(), (Log{post(tvr::TVR_FORMATDONE, 2, 0)}));
}

TEST_F(VCapFormat, SaveAndLoadTheProfileOfTheWdmDevice) {
  Device wdm = open(true);
  setFormat(wdm, 720, 480, 400000);
  runAll({"cVCap loadFormat q", "cVCap saveFormat"});
  EXPECT_FALSE(read("q.video"));
  std::optional<std::vector<uint8_t>> data = read("q.video2");
  ASSERT_TRUE(data);
  ASSERT_EQ(data->size(), 76u + sizeof(VIDEOINFOHEADER));
  EXPECT_EQ((*data)[0], 1);
  EXPECT_EQ(std::vector<uint8_t>(data->begin() + 76, data->end()), wdm.capture->formatBlock);
  const uint32_t cbFormat = (*data)[68] | ((*data)[69] << 8);
  EXPECT_EQ(cbFormat, sizeof(VIDEOINFOHEADER));
  for (size_t pointerSlot : {64u, 72u})
    EXPECT_EQ(std::vector<uint8_t>(data->begin() + pointerSlot, data->begin() + pointerSlot + 4),
              (std::vector<uint8_t>{0, 0, 0, 0}));

  setFormat(wdm, 320, 240, 666666);
  kit.log.clear();
  run("cVCap loadFormat q");
  EXPECT_EQ(kit.calls(L"wdm.capture.SetFormat"),
            (Log{L"wdm.capture.SetFormat(MEDIATYPE_Video, MEDIASUBTYPE_RGB24, FORMAT_VideoInfo, 88)"}));
  run("cVCap getVideoSize");
  EXPECT_EQ(takeReplies(), (Log{post(tvr::TVR_VIDEOSIZE, 720, 480)}));
}

TEST_F(VCapFormat, AProfileWithoutFileKeepsItsNameForTheNextSave) {
  open(false);
  const std::string tv = sj(L"ＴＶ");
  run("cVCap loadFormat " + tv);
  EXPECT_TRUE(kit.calls(L"vfw.capture.SetFormat").empty());
  run("cVCap remove");
  EXPECT_TRUE(read(tv + ".video"));
  EXPECT_FALSE(read(tv + ".video2"));
  run(L"cVCap deleteVideo ＴＶ");
  EXPECT_FALSE(read(tv + ".video"));
  EXPECT_TRUE(run("cVCap deleteVideo nothing"));  // a missing file is not reported
  EXPECT_TRUE(takeReplies().empty());
}

TEST_F(VCapFormat, DeleteVideoTakesTheExtensionOfTheKindInUse) {
  open(true);
  write("p.video", {1});
  write("p.video2", {2});
  run("cVCap deleteVideo p");
  EXPECT_TRUE(read("p.video"));
  EXPECT_FALSE(read("p.video2"));
}

TEST_F(VCapFormat, AnUnreadableProfileIsADeviceError) {
  open(true);
  run("cVCap loadFormat good");
  run("cVCap saveFormat");
  std::vector<uint8_t> data = *read("good.video2");
  for (size_t cut : {0u, 40u, 75u, 100u}) {
    write("bad.video2", std::vector<uint8_t>(data.begin(), data.begin() + cut));
    runAll({"new VCapSorce cVCap", "cVCap create"});
    takeReplies();
    EXPECT_FALSE(run("cVCap loadFormat bad")) << cut;
    EXPECT_EQ(takeReplies(),
              (Log{L"error ファイル「*.video」または「*.video2」が存在するのに開けません。"})) << cut;
  }
  // A format count beyond the file; a VIDEOINFOHEADER cut short with its count to match.
  std::vector<uint8_t> shortHeader(data.begin(), data.begin() + 76 + 60);
  shortHeader[68] = 60;
  data[68] = 0xFF;
  data[69] = 0xFF;
  for (const std::vector<uint8_t>& bytes : {data, shortHeader}) {
    write("bad.video2", bytes);
    runAll({"new VCapSorce cVCap", "cVCap create"});
    takeReplies();
    EXPECT_FALSE(run("cVCap loadFormat bad"));
    EXPECT_EQ(takeReplies(), (Log{L"error ファイル「*.video」または「*.video2」が存在するのに開けません。"}));
  }
  EXPECT_TRUE(kit.calls(L"wdm.capture.SetFormat").empty());
}

TEST_F(VCapFormat, ARefusedFormatIsADeviceError) {
  open(true);
  runAll({"cVCap loadFormat q", "cVCap saveFormat"});
  kit.fail(L"wdm.capture.SetFormat", E_FAIL, 1);
  EXPECT_FALSE(run("cVCap loadFormat q"));
  EXPECT_EQ(takeReplies(), (Log{L"error TVCapSorce::loadFormat()でIAMStreamConfig::SetFormat()に失敗しました。"}));
}

TEST_F(VCapFormat, SaveFormatShowsItsFailuresAndGoesOn) {
  open(true);
  run("cVCap saveFormat");  // no profile yet: nothing
  EXPECT_TRUE(kit.log.empty());
  run("cVCap loadFormat q");
  kit.fail(L"wdm.capture.GetFormat", E_FAIL, 1);
  EXPECT_TRUE(run("cVCap saveFormat"));
  EXPECT_EQ(takeReplies(), (Log{L"error 「TVCapSorce::~TVCapSorce()」で「GetFormat」に失敗しました。"}));
  EXPECT_FALSE(read("q.video2"));
  run("cVCap loadFormat " + std::string("no\\such\\folder"));
  EXPECT_TRUE(run("cVCap saveFormat"));
  EXPECT_EQ(takeReplies(),
            (Log{L"error 「TVCapSorce::~TVCapSorce()」でファイル「*.video」または「*.video2」のオープンに失敗しました。"}));
}

TEST_F(VCapFormat, FrameRateBeforeAnyProfileIsMinusOneWithoutTheDevice) {
  open(true);
  runAll({"cVCap getFrameRate", "cVCap setFrameRate 25"});
  EXPECT_EQ(takeReplies(), (Log{frameRateReply(-1.0)}));
  EXPECT_TRUE(kit.log.empty());
}

TEST_F(VCapFormat, FrameRateIsReadAndSet) {
  Device vfw = open(false);
  runAll({"cVCap loadFormat q", "cVCap getFrameRate", "cVCap setFrameRate 25", "cVCap getFrameRate"});
  EXPECT_EQ(takeReplies(), (Log{frameRateReply(10000000.0 / 333667), frameRateReply(25.0)}));
  EXPECT_EQ(frameTimeOf(vfw), 400000);
  run("cVCap setFrameRate 29.97");
  EXPECT_EQ(frameTimeOf(vfw), 333667);
}

TEST_F(VCapFormat, FrameRatesWithoutAFrameTimeAreIgnored) {
  Device vfw = open(false);
  run("cVCap loadFormat q");
  kit.log.clear();
  runAll({"cVCap setFrameRate 0", "cVCap setFrameRate -5", "cVCap setFrameRate 1e30"});
  source()->setFrameRate(std::numeric_limits<double>::quiet_NaN());
  source()->setFrameRate(std::numeric_limits<double>::infinity());
  EXPECT_TRUE(kit.log.empty());
  EXPECT_EQ(frameTimeOf(vfw), 333667);
  EXPECT_TRUE(takeReplies().empty());
}

TEST_F(VCapFormat, AZeroFrameTimeOrAnotherFormatHasNoFrameRate) {
  Device vfw = open(false);
  run("cVCap loadFormat q");
  setFormat(vfw, 640, 480, 0);
  run("cVCap getFrameRate");
  setFormat(vfw, 640, 480, 333667);
  vfw.capture->formatBlock.resize(40);
  vfw.capture->format.cbFormat = 40;
  run("cVCap getFrameRate");
  run("cVCap setFrameRate 25");  // nothing to set in a block that short
  EXPECT_EQ(takeReplies(), (Log{frameRateReply(-1.0), frameRateReply(-1.0)}));
  EXPECT_TRUE(kit.calls(L"vfw.capture.SetFormat").empty());
}

TEST_F(VCapFormat, FrameRateFailuresAreShownAndGoOn) {
  open(false);
  run("cVCap loadFormat q");
  kit.fail(L"vfw.capture.GetFormat", E_FAIL, 2);
  EXPECT_TRUE(run("cVCap getFrameRate"));
  EXPECT_TRUE(run("cVCap setFrameRate 25"));
  kit.fail(L"vfw.capture.SetFormat", E_FAIL, 1);
  EXPECT_TRUE(run("cVCap setFrameRate 25"));
  EXPECT_EQ(takeReplies(), (Log{L"error 「TVCapSorce::getFrameRate()」で「GetFormat」に失敗しました。",
                                frameRateReply(-1.0),
                                L"error 「TVCapSorce::setFrameRate()」で「GetFormat」に失敗しました。",
                                L"error 「TVCapSorce::setFrameRate()」で「SetFormat」に失敗しました。"}));
  EXPECT_EQ(engine->objectNames(), (std::vector<std::string>{"cVCap"}));
}

TEST_F(VCapFormat, ChangingTheDriverLetsGoOfTheOtherDevicesPin) {
  auto [wdm, vfw] = openBoth();
  setFormat(vfw, 320, 240, 400000);
  runAll({"cVCap loadFormat q", "cVCap getVideoSize", "cVCap chgDriver VfW"});
  EXPECT_EQ(wdm.capture->refs(), 0);
  EXPECT_TRUE(storedSettings()->useVfw);
  runAll({"cVCap getVideoSize", "cVCap saveFormat"});
  EXPECT_EQ(takeReplies(), (Log{post(tvr::TVR_VIDEOSIZE, 640, 480), post(tvr::TVR_VIDEOSIZE, 320, 240)}));
  // The VfW device's format lands in the VfW profile file.
  std::optional<std::vector<uint8_t>> saved = read("q.video");
  ASSERT_TRUE(saved);
  EXPECT_FALSE(read("q.video2"));
  EXPECT_EQ(std::vector<uint8_t>(saved->begin() + 76, saved->end()), vfw.capture->formatBlock);
  // The same kind again keeps the pin.
  run("cVCap chgDriver VfW");
  EXPECT_EQ(vfw.capture->refs(), 2);
}

TEST_F(VCapFormat, AKindWithoutFilterAnswersTheLookupsErrorInsteadOfCrashing) {
  open(false);
  run("cVCap chgDriver WDM");
  EXPECT_EQ(source()->getFilter(), nullptr);
  EXPECT_FALSE(storedSettings()->useVfw);
  // The frame rate and the format save only show the failure; the size is a device error.
  runAll({"cVCap loadFormat q", "cVCap getFrameRate"});
  EXPECT_EQ(takeReplies(),
            (Log{L"error クラス「TVCapSorce」の「strmCnfPtr()」でキャプチャピンの検索に失敗しました。",
                 frameRateReply(-1.0)}));
  EXPECT_FALSE(run("cVCap getVideoSize"));
  // The error's undo runs remove, which shows the failed save and still releases the device.
  EXPECT_EQ(takeReplies(),
            (Log{L"error クラス「TVCapSorce」の「strmCnfPtr()」でキャプチャピンの検索に失敗しました。",
                 L"error クラス「TVCapSorce」の「strmCnfPtr()」でキャプチャピンの検索に失敗しました。"}));
  EXPECT_TRUE(engine->objectNames().empty());
}

TEST_F(VCapFormat, VfWDialogsWithoutAVfWDeviceAreUnsupported) {
  open(true);
  run("cVCap chgDriver VfW");
  EXPECT_TRUE(run("cVCap videoDialog Source form"));
  EXPECT_EQ(takeReplies(),
            (Log{L"error 「TVCapSorce::showDialog()」でサポートしていないダイアログを表示しようとしました。",
                 post(tvr::TVR_FORMATDONE, 1, 0)}));
}

TEST_F(VCapFormat, RemoveSavesSettingsAndFormatThenReleasesEverything) {
  auto [wdm, vfw] = openBoth();
  runAll({"cVCap loadFormat q", "cVCap allocProp", "cVCap remove"});
  EXPECT_TRUE(read("q.video2"));
  EXPECT_EQ(wdm.filter->refs(), 0);
  EXPECT_EQ(vfw.filter->refs(), 0);
  EXPECT_EQ(wdm.capture->refs(), 0);
  EXPECT_EQ(source()->getFilter(), nullptr);
}

TEST_F(VCapFormat, AProfileIsNeverHalfWritten) {
  Device wdm = open(true);
  setFormat(wdm, 320, 240, 666666);
  runAll({"cVCap loadFormat q", "cVCap saveFormat"});
  const std::optional<std::vector<uint8_t>> old = read("q.video2");
  ASSERT_TRUE(old);
  setFormat(wdm, 720, 480, 400000);
  failing_steps::expectNeverHalfWritten({{file("q.video2"), *old}}, [&] {
    run("cVCap saveFormat");
    return takeReplies() ==
           Log{L"error 「TVCapSorce::~TVCapSorce()」でファイル「*.video」または「*.video2」のオープンに失敗しました。"};
  });
}
