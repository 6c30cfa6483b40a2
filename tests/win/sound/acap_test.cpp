// The audio capture source over the COM fakes: binding the first device, the profile's audio
// file, the format chooser, the format replies and every error text.
#include <gtest/gtest.h>

#include "common/fileio.h"
#include "common/messages.h"
#include "grabcore/win/media_type.h"
#include "grabcore/core/errors.h"
#include "sound_fixture.h"
#include "../../common/failing_steps.h"
#include "winui/text.h"

using namespace soundtest;

namespace {

const wchar_t kPinNotFound[] = L"クラス「TVCapSorce」の「strmCnfPtr()」でキャプチャピンの検索に失敗しました。";
const wchar_t kUnreadable[] = L"TACapSorce::create()でデータファイルがあるのに開けません。";

class ACap : public SoundOverFakes {
 protected:
  // One device, created with profile q; replies and calls so far forgotten.
  AudioDevice open() {
    AudioDevice mic = addAudioDevice(L"mic");
    runOk({"new ACapSorce cACap", "cACap create q"});
    takeReplies();
    kit.log.clear();
    return mic;
  }
  std::optional<MediaTypeRecord> stored(const std::string& name) const {
    std::optional<Bytes> data = read(name);
    return data ? decodeAudioProfile(*data) : std::nullopt;
  }
  static std::wstring formatReply(uint32_t rate, uint16_t align, uint16_t channels) {
    return post(tvr::TVR_AUDIOFORMAT, rate, align | (channels << 16));
  }
};

}  // namespace

TEST_F(ACap, WithoutAProfileTheFirstDeviceKeepsItsFormatAndRemoveWritesIt) {
  AudioDevice mic = addAudioDevice(L"mic");
  AudioDevice other = addAudioDevice(L"other");
  runOk({"new ACapSorce cACap", "cACap create q"});
  EXPECT_EQ(kit.callsWithoutQueries(),
            (Log{L"com.CoCreateInstance(CLSID_SystemDeviceEnum, 1, IID_ICreateDevEnum)",
                 L"devenum.CreateClassEnumerator(CLSID_AudioInputDeviceCategory, 0)", L"devenum.monikers.Reset()",
                 L"devenum.monikers.Next(1)", L"mic.moniker.BindToObject(null, null, IID_IBaseFilter)",
                 L"mic.EnumPins()", L"mic.pins.Next(1)", L"mic.capture.QueryPinInfo()",
                 L"mic.capture.Get(AMPROPSETID_Pin, 0, 16)", L"mic.capture.GetFormat()"}));
  EXPECT_EQ(engine->undoList, (std::vector<std::string>{"delete cACap", "cACap remove"}));
  EXPECT_EQ(engine->object("cACap")->getFilter(), mic.filter->filter());
  EXPECT_EQ(other.filter->refs(), 0);
  runOk({"cACap getWFormat"});
  EXPECT_EQ(takeReplies(), Log{formatReply(44100, 4, 2)});
  EXPECT_FALSE(read("q.audio"));
  runOk({"cACap remove"});
  EXPECT_EQ(stored("q.audio"), audioType(pcm(2, 44100, 16)));
  EXPECT_EQ(mic.filter->refs(), 0);
  EXPECT_EQ(mic.capture->refs(), 0);
  // A PCMWAVEFORMAT is read back as a WAVEFORMATEX; one without a channel is not kept at all.
  for (MediaTypeRecord device : {audioType(pcm(1, 22050, 16)), audioType(pcm(0, 22050, 16))}) {
    device.format.resize(16);
    mic.capture->setFormat(mediaTypeOver(device));
    runOk({"cACap deleteAudio q", "cACap create q", "cACap remove", "cACap create q", "cACap getWFormat"});
  }
  EXPECT_EQ(takeReplies(), (Log{formatReply(22050, 2, 1)}));
  EXPECT_FALSE(read("q.audio"));
}

TEST_F(ACap, AfterRemoveNothingUsesTheFormatAndASecondRemoveWritesNothing) {
  open();
  runOk({"cACap remove"});
  ASSERT_TRUE(read("q.audio"));
  ASSERT_TRUE(tavora::removeFile(file("q.audio")));
  engine->argDwords["form"] = 0x1234;
  runOk({"cACap getWFormat", "cACap audioDialog form", "cACap remove"});
  EXPECT_TRUE(takeReplies().empty());
  EXPECT_TRUE(kit.log.empty());
  EXPECT_FALSE(read("q.audio"));
}

TEST_F(ACap, AProfileFormatIsGivenToTheDeviceAndReported) {
  AudioDevice mic = addAudioDevice(L"mic");
  write("q.audio", encodeMediaTypeFile(audioType(pcm(1, 22050, 16))));
  runOk({"new ACapSorce cACap", "cACap create q", "cACap getWFormat"});
  EXPECT_EQ(kit.calls(L"mic.capture.SetFormat"),
            Log{L"mic.capture.SetFormat(MEDIATYPE_Audio, MEDIASUBTYPE_PCM, FORMAT_WaveFormatEx, 18)"});
  EXPECT_TRUE(kit.calls(L"mic.capture.GetFormat").empty());
  EXPECT_EQ(mic.capture->formatBlock, pcm(1, 22050, 16));
  EXPECT_EQ(takeReplies(), Log{formatReply(22050, 2, 1)});
}

TEST_F(ACap, AnUnreadableProfileIsTheCannotOpenError) {
  addAudioDevice(L"mic");
  MediaTypeRecord video = audioType(pcm(2, 44100, 16));
  video.formattype = kFormatVideoInfo;  // 18 bytes said to be a VIDEOINFOHEADER
  const Bytes good = encodeMediaTypeFile(audioType(pcm(2, 44100, 16)));
  Bytes countPastTheEnd = good;
  countPastTheEnd[68] = 19;
  const std::vector<Bytes> broken = {Bytes(good.begin(), good.begin() + 40), countPastTheEnd,
                                     encodeMediaTypeFile(video), encodeMediaTypeFile(audioType(pcm(0, 44100, 16)))};
  for (const Bytes& bytes : broken) {
    write("q.audio", bytes);
    run("new ACapSorce cACap");
    expectUndone("cACap create q", kUnreadable);
  }
  // Nothing reached the device.
  EXPECT_TRUE(kit.calls(L"mic.capture.SetFormat").empty());
}

TEST_F(ACap, CreateErrorsAreReportedAndUndoEverything) {
  run("new ACapSorce cACap");
  expectUndone("cACap create q", L"クラス「TACapSorce」でキャプチャデバイスの列挙に失敗しました。");
  AudioDevice mic = addAudioDevice(L"mic");
  struct Case {
    const wchar_t* failing;
    const wchar_t* text;
  };
  const Case cases[] = {
      {L"com.CoCreateInstance", L"クラス「TACapSorce」で「CoCreateInstance」に失敗しました。"},
      {L"devenum.CreateClassEnumerator",
       L"クラス「TACapSorce」で「ICreateDevEnum::CreateClassEnumerator」に失敗しました。"},
      {L"mic.moniker.BindToObject", L"クラス「TACapSorce」でキャプチャデバイスの列挙に失敗しました。"},
      {L"mic.EnumPins", L"クラス「TACapSorce」の「strmCnfPtr()」で「EnumPins」に失敗しました。"},
      {L"mic.capture.Get(", kPinNotFound},
      {L"mic.capture.GetFormat", L"クラス「TACapSorce」の「create()」で「GetFormat」に失敗しました。"},
  };
  for (const Case& c : cases) {
    run("new ACapSorce cACap");
    kit.fail(c.failing, E_FAIL, 1);
    expectUndone("cACap create q", c.text);
  }
  // The first capture pin without a stream configuration ends the search.
  mic.capture->withhold(IID_IAMStreamConfig);
  fakes::FakePin* second = mic.filter->addPin(L"second", PINDIR_OUTPUT);
  second->offer(IID_IKsPropertySet);
  second->offer(IID_IAMStreamConfig);
  second->category = PIN_CATEGORY_CAPTURE;
  run("new ACapSorce cACap");
  expectUndone("cACap create q", kPinNotFound);
  EXPECT_TRUE(kit.calls(L"mic.second.").empty());
  EXPECT_FALSE(read("q.audio"));
  EXPECT_EQ(mic.filter->refs(), 0);
  mic.capture->offer(IID_IAMStreamConfig);
  write("q.audio", encodeMediaTypeFile(audioType(pcm(1, 22050, 16))));
  run("new ACapSorce cACap");
  kit.fail(L"mic.capture.SetFormat", E_FAIL, 1);
  expectUndone("cACap create q", L"クラス「TACapSorce」の「create()」で「SetFormat」に失敗しました。");
}

TEST_F(ACap, TheChooserStartsFromTheFormatInABufferOfTheLargestSizeAndTheChoiceIsWrittenOnRemove) {
  AudioDevice mic = open();
  engine->argDwords["form"] = 0x1234;
  chooser.largest = 80;
  chooser.chosen = pcm(1, 22050, 16);
  runOk({"cACap audioDialog form"});
  EXPECT_EQ(kit.log,
            (Log{L"acm.acmMetrics(ACM_METRIC_MAX_SIZE_FORMAT)",
                 L"acm.acmFormatChooseA(" + std::to_wstring(sizeof(ACMFORMATCHOOSEA)) + L", 64, 4660, 80, 12582912)"}));
  EXPECT_EQ(chooser.shownWith, pcm(2, 44100, 16, 80 - 18));
  EXPECT_EQ(takeReplies(), Log{formatReply(22050, 2, 1)});
  // The device keeps its format until the next create.
  EXPECT_EQ(mic.capture->formatBlock, pcm(2, 44100, 16));
  runOk({"cACap remove"});
  MediaTypeRecord expected = audioType(pcm(1, 22050, 16));
  EXPECT_EQ(stored("q.audio"), expected);
}

TEST_F(ACap, TheBufferIsNeverSmallerThanTheFormatInUseAndAChoiceItCannotHoldIsNotTaken) {
  open();
  chooser.largest = 10;
  chooser.chosen = compressed(0x55, 2, 44100, 12);
  runOk({"cACap audioDialog form"});
  EXPECT_NE(kit.calls(L"acm.acmFormatChooseA").back().find(L", 18, 12582912)"), std::wstring::npos);
  // The buffer was only 18 bytes: the extra bytes cannot be there, so nothing was taken.
  EXPECT_TRUE(takeReplies().empty());
  chooser.largest = 100;
  runOk({"cACap audioDialog form"});
  EXPECT_EQ(takeReplies(), Log{formatReply(44100, 1, 2)});
  // A cancelled chooser posts nothing; without the metric the buffer is the format's size.
  kit.fail(L"acm.acmFormatChooseA", E_FAIL, 1);
  runOk({"cACap audioDialog form"});
  EXPECT_TRUE(takeReplies().empty());
  kit.fail(L"acm.acmMetrics", E_FAIL, 1);
  runOk({"cACap audioDialog form"});
  EXPECT_EQ(kit.log.back(),
            L"acm.acmFormatChooseA(" + std::to_wstring(sizeof(ACMFORMATCHOOSEA)) + L", 64, 0, 30, 12582912)");
  EXPECT_EQ(takeReplies(), Log{formatReply(44100, 1, 2)});
}

TEST_F(ACap, AFailedWriteIsShownAndTheDeviceIsReleasedAllTheSame) {
  AudioDevice mic = open();
  ASSERT_TRUE(CreateDirectoryW(winui::widen(file("q.audio")).c_str(), nullptr));
  EXPECT_TRUE(run("cACap remove"));
  EXPECT_EQ(takeReplies(), Log{L"error TACapSorce::remove()でファイル「*.audio」を生成できません。"});
  EXPECT_EQ(mic.filter->refs(), 0);
  RemoveDirectoryW(winui::widen(file("q.audio")).c_str());
}

TEST_F(ACap, TheProfileNameForTheNextRemoveAndDeletingAProfile) {
  open();
  runOk({"cACap audioQualityName r", "cACap remove"});
  EXPECT_FALSE(read("q.audio"));
  EXPECT_TRUE(read("r.audio"));
  write(sj(L"ＴＶ.audio"), {1});
  run(std::wstring(L"cACap deleteAudio ＴＶ"));
  runOk({"cACap deleteAudio r", "cACap deleteAudio missing"});
  EXPECT_FALSE(read("r.audio"));
  EXPECT_FALSE(read(sj(L"ＴＶ.audio")));
  EXPECT_TRUE(takeReplies().empty());
}

TEST_F(ACap, MissingArgumentsAndWordsOfOtherKinds) {
  open();
  EXPECT_THROW(run("cACap audioDialog"), LanguageError);
  EXPECT_THROW(run("cACap deleteAudio"), LanguageError);
  expectUndone("cACap setCompKind X",
               L"クラス「dsMan」の「func_ACapSorce()」で予期しないサブコマンドを受け取りました。");
  run("new Compress cComp");
  EXPECT_THROW(run("cComp compDialog"), LanguageError);
  EXPECT_THROW(run("cComp setCompKind"), LanguageError);
  expectUndone("cComp getWFormat", L"クラス「dsMan」の「func_Compress()」で予期しないサブコマンドを受け取りました。");
}

TEST_F(ACap, TheProfileIsNeverHalfWritten) {
  addAudioDevice(L"mic");
  const Bytes old = encodeMediaTypeFile(audioType(pcm(1, 22050, 16)));
  // Each remove writes the device's own format, made under another name and renamed to q.
  failing_steps::expectNeverHalfWritten({{file("q.audio"), old}}, [&] {
    runOk({"new ACapSorce cACap", "cACap create p", "cACap audioQualityName q", "cACap remove", "delete cACap"});
    return takeReplies() == Log{L"error TACapSorce::remove()でファイル「*.audio」を生成できません。"};
  });
}
