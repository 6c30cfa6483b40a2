// Subcommands of the SoundMixer kind. The kind has no remove and pushes no undo line: the
// object goes with the "delete" that new pushed.
#include "../../common/messages.h"
#include "../texts/engine_texts.h"
#include "dsman_frame.h"
#include "mixer_ctrl.h"

void dsMan::func_Mixer() {
  frame<TMixerCtrl>(texts::kUnexpectedMixer, [&](SubCommand id, TMixerCtrl& mixer) {
    EngineHost& host = engine_.host();
    switch (id) {
      case SubCommand::create:
        mixer.create(argNumber(2));
        return true;
      case SubCommand::setCurrentMixDev:
        mixer.selectLine(argInt(2));
        return true;
      case SubCommand::getDevList:
        if (std::optional<std::vector<uint8_t>> block = mixer.lineNamesBlock())
          host.sendCopyDataToFront(tvr::CD_MIXERLINES, *block);
        return true;
      case SubCommand::getNowMixerDev:
        if (const int32_t position = mixer.currentLine(); position != -1)
          host.postToFront(tvr::TVR_MIXDEVINDEX, static_cast<uint32_t>(position), 0);
        return true;
      case SubCommand::setVolume:
        mixer.setVolume(static_cast<uint32_t>(argInt(2)));
        return true;
      case SubCommand::getVolume:
        if (std::optional<uint32_t> volume = mixer.getVolume()) host.postToFront(tvr::TVR_VOLUME, *volume, 0);
        return true;
      case SubCommand::setMute:
        mixer.setMute(argWord(2) == "ON");
        return true;
      case SubCommand::getMute:
        if (std::optional<bool> mute = mixer.getMute()) host.postToFront(tvr::TVR_MUTE, *mute ? 1 : 0, 0);
        return true;
      case SubCommand::setSysVolMute:
        mixer.restoreLevels();
        return true;
      case SubCommand::getSysVolMute:
        mixer.storeLevels();
        return true;
      default:
        return false;
    }
  });
}
