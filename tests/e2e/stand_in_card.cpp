#include "stand_in_card.h"

#include <dvdmedia.h>

#include "common/fileio.h"
#include "common/tuner_file.h"
#include "grabcore/core/channel_table.h"
#include "grabcore/win/form_sel_vcap.h"
#include "grabcore/win/form_tuner.h"

namespace enginestub {

using fakes::FakeFilter;
using fakes::FakePin;

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
  setTunerDialogSeam(this);
  setPropertyFrameSeam(this);
  setAudioFormatChooserSeam(&chooser_);

  // The card has both driver kinds: its WDM filter (with the picture control) and its VfW filter,
  // each with a preview and a capture pin. Rendering the WDM preview brings in a renderer, and
  // the tuner and crossbars upstream. The driver question is answered VfW, the recorder's
  // own first guess.
  FakePin* preview = nullptr;
  const auto videoDevice = [&](const wchar_t* id, const wchar_t* name, bool wdm) {
    FakeFilter* filter = kit_.make<FakeFilter>(id);
    filter->friendlyName = name;
    filter->offer(wdm ? IID_IAMVideoProcAmp : IID_IAMVfwCaptureDialogs);
    filter->procAmp = {{0, kPicture}, {1, kPicture}, {2, kPicture}, {3, kPicture}};
    FakePin* pin = filter->addPin(L"preview", PINDIR_OUTPUT);
    pin->offer(IID_IKsPropertySet);
    pin->offer(IID_IAMStreamConfig);
    pin->category = PIN_CATEGORY_PREVIEW;
    if (wdm) preview = pin;
    FakePin* capture = filter->addPin(L"capture", PINDIR_OUTPUT);
    for (const IID* iid : {&IID_IKsPropertySet, &IID_IAMStreamConfig, &IID_IAMBufferNegotiation,
                           &IID_ISpecifyPropertyPages})
      capture->offer(*iid);
    capture->category = PIN_CATEGORY_CAPTURE;
    std::vector<BYTE> format;
    capture->setFormat(fakes::videoFormat(640, 480, 333667, format));
    com_.devices->addDevice(CLSID_VideoInputDeviceCategory, id, name, filter);
    return filter;
  };
  FakeFilter* card = videoDevice(L"card", L"Card", true);
  videoDevice(L"cardvfw", L"Card VfW", false);
  setDriverChoiceSeam(this);

  auto* tuner = kit_.make<fakes::FakeTuner>(L"TV Tuner");
  tuner->antennaRange = {1, 62};
  tuner->cableRange = {1, 113};
  auto* down = kit_.make<fakes::FakeCrossbar>(L"Crossbar Down");
  auto* up = kit_.make<fakes::FakeCrossbar>(L"Crossbar Up");
  FakeFilter* renderer = kit_.make<FakeFilter>(L"renderer");
  FakePin* rendererIn = renderer->addPin(L"in", PINDIR_INPUT);
  com_.builder->onRender = [=, this](IUnknown* source) {
    if (kit_.objectOf(source) != card) return;
    for (FakeFilter* f : {tuner->filter, down->filter, up->filter, renderer})
      if (!f->graph) com_.graph->AddFilter(f, f->friendlyName.empty() ? f->name().c_str() : f->friendlyName.c_str());
    if (!preview->peer()) preview->connect(rendererIn);
  };
  com_.builder->found = {{card, IID_IAMTVTuner, tuner}, {card, IID_IAMCrossbar, down}, {down->filter, IID_IAMCrossbar, up}};

  FakeFilter* microphone = kit_.make<FakeFilter>(L"mic");
  FakePin* sound = microphone->addPin(L"capture", PINDIR_OUTPUT);
  sound->offer(IID_IKsPropertySet);
  sound->offer(IID_IAMStreamConfig);
  sound->category = PIN_CATEGORY_CAPTURE;
  WAVEFORMATEX wave{WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
  AM_MEDIA_TYPE audio{};
  audio.majortype = MEDIATYPE_Audio;
  audio.subtype = MEDIASUBTYPE_PCM;
  audio.bFixedSizeSamples = TRUE;
  audio.lSampleSize = 4;
  audio.formattype = FORMAT_WaveFormatEx;
  audio.cbFormat = sizeof wave;
  audio.pbFormat = reinterpret_cast<BYTE*>(&wave);
  sound->setFormat(audio);
  com_.devices->addDevice(CLSID_AudioInputDeviceCategory, L"mic", L"Microphone", microphone);

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
