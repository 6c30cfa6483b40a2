// The engine's settings files are never half-written: a failure at any step of a save leaves
// the old file and shows the save's error box.
#include <gtest/gtest.h>

#include "../common/failing_steps.h"
#include "../recdesk/temp_dir.h"
#include "common/tuner_file.h"
#include "fake_engine.h"
#include "grabcore/core/mixer_ctrl.h"
#include "grabcore/core/mixer_port.h"
#include "grabcore/core/tv_tuner.h"

namespace {

struct Card : TunerDevices, TunerDialogs {
  bool discover(TGraphBuilder*) override { return true; }
  bool held() const override { return true; }
  bool putModeTv() override { return true; }
  bool putInputType(uint8_t) override { return true; }
  bool putChannel(uint16_t) override { return true; }
  bool channelMinMax(int32_t&, int32_t&) override { return true; }
  bool autoTune(int32_t) override { return true; }
  bool route(bool, int32_t, int32_t) override { return true; }
  void removeOthers(TGraphBuilder*) override {}
  void release() override {}
  int askScan() override { return kScanNone; }
  std::unique_ptr<ScanProgress> openProgress(const std::string&) override { return nullptr; }
};

struct Speakers : MixerPort {
  void open(uint64_t) override {}
  std::optional<std::vector<MixerLine>> readLines() override { return std::vector<MixerLine>{{"Speakers", 1, 2}}; }
  std::optional<uint32_t> getVolume(uint32_t) override { return 1; }
  std::optional<bool> getMute(uint32_t) override { return false; }
  void setVolume(uint32_t, uint32_t) override {}
  void setMute(uint32_t, bool) override {}
};

}  // namespace

TEST(HalfWritten, TunerDatAndDat2) {
  TempDir folder;
  RecordingHost host;
  Card dialogs;
  ChannelTable old;
  old.channels = {{10, 10, "10CH", 0}, {12, 4, "4CH", 1}};
  old.setCurrent(0);
  const std::vector<uint8_t> dat = tavora::buildTunerDat(old.toFile()), dat2 = tavora::buildTunerDat2(old.typeRecords());
  ASSERT_TRUE(tavora::writeFileReplacing(folder.file("TvTuner.dat"), dat));
  TTvTuner tuner(host, std::make_unique<Card>(), dialogs, folder.file(""));
  tuner.create(nullptr);
  tuner.delChFromList(0);
  failing_steps::expectNeverHalfWritten({{folder.file("TvTuner.dat"), dat}, {folder.file("TvTuner.dat2"), dat2}}, [&] {
    host.replies.clear();
    tuner.saveTunerDat();
    return !host.only("error").empty();
  });
}

TEST(HalfWritten, SoundMixerDat) {
  TempDir folder;
  RecordingHost host;
  const std::string path = folder.file("SoundMixer.dat");
  failing_steps::expectNeverHalfWritten({{path, encodeMixerSettings({})}}, [&] {
    host.replies.clear();
    TMixerCtrl(host, std::make_unique<Speakers>(), path).create(0);
    return host.only("error") == std::vector<std::string>{"error " + sj("ファイル「SoundMixer.dat」を生成できませんでした。")};
  });
}
