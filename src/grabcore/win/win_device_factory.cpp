#include "win_device_factory.h"

#include "ds_acap_sorce.h"
#include "ds_capture_graph_builder.h"
#include "ds_compress.h"
#include "ds_graph_builder.h"
#include "ds_tuner_devices.h"
#include "ds_vcap_sorce.h"
#include "grabcore/core/lex.h"
#include "grabcore/core/mixer_ctrl.h"
#include "win_mixer_port.h"
#include "grabcore/core/tv_tuner.h"

std::shared_ptr<dsMother> WinDeviceFactory::make(WaitId kind, lex& engine) {
  switch (kind) {
    case WaitId::GraphBuilder:
      return std::make_shared<DsGraphBuilder>(engine.host(), com_);
    case WaitId::CaptureGraphBuilder:
      return std::make_shared<DsCaptureGraphBuilder>(com_);
    case WaitId::VCapSorce:
      return std::make_shared<DsVCapSorce>(engine.host(), com_, programDir);
    case WaitId::SoundMixer:
      return std::make_shared<TMixerCtrl>(engine.host(), std::make_unique<WinMixerPort>(*mixerApi),
                                          mixerSettingsPath(programDir));
    case WaitId::TvTuner:
      return std::make_shared<TTvTuner>(engine.host(), std::make_unique<DsTunerDevices>(com_), tunerDialogs_,
                                        programDir);
    case WaitId::ACapSorce:
      return std::make_shared<DsACapSorce>(engine.host(), com_, programDir);
    case WaitId::Compress:
      return std::make_shared<DsCompress>(engine.host(), com_, programDir);
    default:
      return nullptr;  // kinds whose device classes are not in this build
  }
}
