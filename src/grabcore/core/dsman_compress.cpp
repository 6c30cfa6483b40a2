// Subcommands of the Compress kind.
#include "../../common/messages.h"
#include "../texts/engine_texts.h"
#include "compress.h"
#include "dsman_frame.h"

void dsMan::func_Compress() {
  frame<TCompress>(texts::kUnexpectedCompress, [&](SubCommand id, TCompress& compressor) {
    const std::string name = engine_.token(0);
    EngineHost& host = engine_.host();
    switch (id) {
      case SubCommand::create: {
        const std::string profile = argText(2);
        compressor.open(profile);
        engine_.pushUndoWords({name, "remove"});
        return true;
      }
      case SubCommand::remove:
        compressor.remove();
        return true;
      case SubCommand::enumCompNames: {
        const int32_t index = compressor.enumCompNames(kCompListWithDialogs);
        host.postToFront(tvr::TVR_COMPINDEX, static_cast<uint64_t>(static_cast<int64_t>(index)), 0);
        return true;
      }
      case SubCommand::compDialog: {
        const uint32_t window = argNumber(2);
        compressor.showDialog(kCompConfigDialog, window);
        host.postToFront(tvr::TVR_COMPDONE, 0, 0);
        return true;
      }
      case SubCommand::setCompKind: {
        const std::string kind = argText(2);
        compressor.select(kind);
        return true;
      }
      case SubCommand::compQualityName: {
        const std::string profile = argText(2);
        compressor.setName(profile);
        return true;
      }
      case SubCommand::deleteComp: {
        const std::string profile = argText(2);
        compressor.deleteData(profile);
        return true;
      }
      case SubCommand::setCmpState:
        compressor.setCmpState();
        return true;
      default:
        return false;
    }
  });
}
