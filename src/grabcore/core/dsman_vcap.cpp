// Subcommands of the VCapSorce kind.
#include <optional>
#include <string_view>

#include "../../common/messages.h"
#include "../texts/engine_texts.h"
#include "dsman_frame.h"
#include "vcap_settings.h"
#include "vcap_sorce.h"

namespace {

// The driver dialog of a word: 1 Source, 2 Format, 4 Display.
std::optional<int> dialogKind(std::string_view word) {
  if (word == "Source") return 1;
  if (word == "Format") return 2;
  if (word == "Display") return 4;
  return std::nullopt;
}

}  // namespace

void dsMan::func_VCapSorce() {
  frame<TVCapSorce>(texts::kUnexpectedVCapSorce, [&](SubCommand id, TVCapSorce& source) {
    const std::string name = engine_.token(0);
    EngineHost& host = engine_.host();
    switch (id) {
      case SubCommand::create:
        source.create(engine_.frontWnd);
        engine_.pushUndoWords({name, "remove"});
        return true;
      case SubCommand::remove:
        source.remove();
        return true;
      case SubCommand::setQuality: {
        std::optional<int> property = pictureProperty(argWord(2));
        if (!property) return true;
        const int32_t value = argInt(3);
        source.setQuality(*property, value);
        return true;
      }
      case SubCommand::getQuality: {
        std::optional<int> property = pictureProperty(argWord(2));
        if (!property) return true;
        const int32_t value = source.getQuality(*property);
        host.postToFront(tvr::TVR_VIDEOPROP, static_cast<uint64_t>(*property), value);
        return true;
      }
      case SubCommand::videoDialog: {
        const uint32_t window = argNumber(3);
        std::optional<int> kind = dialogKind(argWord(2));
        if (!kind) return true;
        source.showDialog(*kind, window);
        host.postToFront(tvr::TVR_FORMATDONE, static_cast<uint64_t>(*kind), 0);
        return true;
      }
      case SubCommand::getVideoSize: {
        const VideoSize size = source.getVideoSize();
        host.postToFront(tvr::TVR_VIDEOSIZE, static_cast<uint32_t>(size.width), size.height);
        return true;
      }
      case SubCommand::loadFormat: {
        const std::string profile = argText(2);
        source.loadFormat(profile);
        return true;
      }
      case SubCommand::saveFormat:
        source.saveFormat();
        return true;
      case SubCommand::loadQuality:
        source.loadQuality();
        return true;
      case SubCommand::deleteVideo: {
        const std::string profile = argText(2);
        source.deleteVideo(profile);
        return true;
      }
      case SubCommand::getFrameRate: {
        const DoubleHalves rate = splitDouble(source.getFrameRate());
        host.postToFront(tvr::TVR_FRAMERATE, rate.low, rate.high);
        return true;
      }
      case SubCommand::setFrameRate:
        source.setFrameRate(argReal(2));
        return true;
      case SubCommand::allocProp:
        source.allocProp();
        return true;
      case SubCommand::chgDriver:
        source.chgDriver(argWord(2) == "VfW" ? 1 : 2);
        return true;
      default:
        return false;
    }
  });
}
