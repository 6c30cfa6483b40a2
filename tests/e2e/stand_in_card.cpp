#include "stand_in_card.h"

#include "common/fileio.h"
#include "common/tuner_file.h"
#include "grabcore/core/channel_table.h"
#include "grabcore/win/form_tuner.h"

namespace enginestub {

using fakes::FakeFilter;

namespace {

struct NoProgress : ScanProgress {
  void setCaption(const std::string&) override {}
  void setMaximum(int32_t) override {}
  void setPosition(int32_t) override {}
  void pump() override {}
};

// The picture controls at the options page's starting positions: showing it moves no bar.
constexpr long kPicture = 127;

}  // namespace

Card::Card(const std::string& folder) : folder_(folder) {
  devices_.programDir = folder;
  devices_.mixerApi = &mixer_;
  setDriverChoiceSeam(this);
  setTunerDialogSeam(this);
  setPropertyFrameSeam(this);
  setAudioFormatChooserSeam(&chooser_);
  // The card: one filter for both driver kinds (the question is answered VfW, the recorder's own
  // first guess), its WDM picture control at the page's starting positions, and the tuner and
  // crossbars that its capture pin leads to.
  FakeFilter* card = fakes::addVideoDevice(*com_.devices, L"card", L"Card", true, true).filter;
  card->procAmp = {{0, kPicture}, {1, kPicture}, {2, kPicture}, {3, kPicture}};
  auto* down = kit_.make<fakes::FakeCrossbar>(L"Crossbar Down");
  com_.builder->found = {{card, IID_IAMTVTuner, kit_.make<fakes::FakeTuner>(L"TV Tuner")},
                         {card, IID_IAMCrossbar, down},
                         {down->filter, IID_IAMCrossbar, kit_.make<fakes::FakeCrossbar>(L"Crossbar Up")}};
  fakes::addAudioDevice(*com_.devices, L"mic");
  FakeFilter* compressor = kit_.make<FakeFilter>(L"codec");
  compressor->delegate(IID_IAMVfwCompressDialogs, kit_.make<fakes::FakeCompressDialogs>(L"codec.dialogs"));
  com_.devices->addDevice(CLSID_VideoCompressorCategory, L"codec", L"Codec", compressor);
  constexpr DWORD kVolume = MIXERCONTROL_CONTROLTYPE_VOLUME, kMute = MIXERCONTROL_CONTROLTYPE_MUTE;
  mixer_.lines = {{L"Speakers", 0xffff0000, {{kVolume, 1}, {kMute, 2}}}, {L"Line", 0x1000, {{kVolume, 3}, {kMute, 4}}}};
}

Card::~Card() {
  setDriverChoiceSeam(nullptr);
  setTunerDialogSeam(nullptr);
  setPropertyFrameSeam(nullptr);
  setAudioFormatChooserSeam(nullptr);
}

std::unique_ptr<ScanProgress> Card::openProgress(const std::string&) { return std::make_unique<NoProgress>(); }

void Card::beforeRequest() {
  const std::string path = folder_ + "TvTuner.dat";
  if (tavora::fileExists(path)) return;
  ChannelTable table;
  table.antennaMax = 62;
  table.cableMax = 113;
  table.channels = {{1, 1, "1CH", 1}, {3, 3, "3CH", 1}, {5, 5, "5CH", 1}};
  table.setCurrent(0);
  tavora::writeFileReplacing(path, tavora::buildTunerDat(table.toFile()));
  tavora::writeFileReplacing(folder_ + "TvTuner.dat2", tavora::buildTunerDat2(table.typeRecords()));
}

}  // namespace enginestub
