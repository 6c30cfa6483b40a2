// Subcommands of the ACapSorce kind.
#include "../../common/messages.h"
#include "../texts/engine_texts.h"
#include "acap_sorce.h"
#include "dsman_frame.h"

namespace {

void postFormat(EngineHost& host, const std::optional<AudioFormatInfo>& info) {
  if (info) host.postToFront(tvr::TVR_AUDIOFORMAT, info->samplesPerSec, audioFormatParam(*info));
}

}  // namespace

void dsMan::func_ACapSorce() {
  frame<TACapSorce>(texts::kUnexpectedACapSorce, [&](SubCommand id, TACapSorce& source) {
    const std::string name = engine_.token(0);
    EngineHost& host = engine_.host();
    switch (id) {
      case SubCommand::create: {
        const std::string profile = argText(2);
        source.create(profile);
        engine_.pushUndoWords({name, "remove"});
        return true;
      }
      case SubCommand::remove:
        source.remove();
        return true;
      case SubCommand::audioDialog: {
        const uint32_t window = argNumber(2);
        if (!source.chooseFormat(window)) postFormat(host, source.getFormatInfo());
        return true;
      }
      case SubCommand::getWFormat:
        postFormat(host, source.getFormatInfo());
        return true;
      case SubCommand::audioQualityName: {
        const std::string profile = argText(2);
        source.setName(profile);
        return true;
      }
      case SubCommand::deleteAudio: {
        const std::string profile = argText(2);
        source.deleteData(profile);
        return true;
      }
      default:
        return false;
    }
  });
}
