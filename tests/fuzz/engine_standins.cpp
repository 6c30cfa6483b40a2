#include "engine_standins.h"

#include "../grabcore/idle_devices.h"
#include "grabcore/core/acap_sorce.h"
#include "grabcore/core/compress.h"
#include "grabcore/core/mixer_ctrl.h"
#include "grabcore/core/mixer_port.h"
#include "grabcore/core/tv_tuner.h"
#include "grabcore/core/vcap_sorce.h"

namespace {

struct VideoSource : TVCapSorce {
  void create(uint64_t) override {}
  void remove() override {}
  void setQuality(int, int32_t) override {}
  int32_t getQuality(int) override { return 0; }
  void showDialog(int, uint64_t) override {}
  VideoSize getVideoSize() override { return {320, 240}; }
  void loadFormat(const std::string&) override {}
  void saveFormat() override {}
  void loadQuality() override {}
  void deleteVideo(const std::string&) override {}
  double getFrameRate() override { return 29.97; }
  void setFrameRate(double) override {}
  void allocProp() override {}
  void chgDriver(int) override {}
};

struct AudioSource : TACapSorce {
  void create(const std::string&) override {}
  void remove() override {}
  bool chooseFormat(uint64_t) override { return true; }
  std::optional<AudioFormatInfo> getFormatInfo() override { return AudioFormatInfo{}; }
  void setName(const std::string&) override {}
  void deleteData(const std::string&) override {}
};

struct Compressor : TCompress {
  void open(const std::string&) override {}
  void remove() override {}
  int32_t enumCompNames(int) override { return 1; }
  void showDialog(int, uint64_t) override {}
  void select(const std::string&) override {}
  void setName(const std::string&) override {}
  void deleteData(const std::string&) override {}
  void setCmpState() override {}
};

// A card with a tuner whose every call succeeds; channels 1 to 3 in both ranges, 2 has a signal.
struct Card : TunerDevices {
  bool discover(TGraphBuilder*) override { return held_ = true; }
  bool held() const override { return held_; }
  bool putModeTv() override { return true; }
  bool putInputType(uint8_t) override { return true; }
  bool putChannel(uint16_t) override { return true; }
  bool channelMinMax(int32_t& min, int32_t& max) override {
    min = 1;
    max = 3;
    return true;
  }
  bool autoTune(int32_t channel) override { return channel == 2; }
  bool route(bool, int32_t, int32_t) override { return true; }
  void removeOthers(TGraphBuilder*) override {}
  void release() override { held_ = false; }
  bool held_ = false;
};

// Speakers and one source line.
struct Mixer : MixerPort {
  void open(uint64_t) override {}
  std::optional<std::vector<MixerLine>> readLines() override {
    return std::vector<MixerLine>{{"Speakers", 1, 2}, {"Line", 3, 4}};
  }
  std::optional<uint32_t> getVolume(uint32_t) override { return 100; }
  std::optional<bool> getMute(uint32_t) override { return false; }
  void setVolume(uint32_t, uint32_t) override {}
  void setMute(uint32_t, bool) override {}
};

struct Progress : ScanProgress {
  void setCaption(const std::string&) override {}
  void setMaximum(int32_t) override {}
  void setPosition(int32_t) override {}
  void pump() override {}
};

}  // namespace

std::unique_ptr<ScanProgress> StandInFactory::openProgress(const std::string&) { return std::make_unique<Progress>(); }

std::shared_ptr<dsMother> StandInFactory::make(WaitId kind, lex&) {
  switch (kind) {
    case WaitId::GraphBuilder: return std::make_shared<IdleGraph>();
    case WaitId::CaptureGraphBuilder: return std::make_shared<IdleCaptureBuilder>();
    case WaitId::TvTuner: return std::make_shared<TTvTuner>(host_, std::make_unique<Card>(), *this, folder_);
    case WaitId::VCapSorce: return std::make_shared<VideoSource>();
    case WaitId::ACapSorce: return std::make_shared<AudioSource>();
    case WaitId::Compress: return std::make_shared<Compressor>();
    case WaitId::SoundMixer:
      return std::make_shared<TMixerCtrl>(host_, std::make_unique<Mixer>(), folder_ + "SoundMixer.dat");
  }
  return nullptr;
}
