// Subcommands of the CaptureGraphBuilder kind.
#include <optional>
#include <string_view>

#include "../../common/messages.h"
#include "../texts/engine_texts.h"
#include "capture_graph_builder.h"
#include "dsman_frame.h"

namespace {

// masterStream: NONE -1, AUDIO 1, VIDEO 0.
std::optional<int32_t> masterStreamOf(std::string_view word) {
  if (word == "NONE") return -1;
  if (word == "AUDIO") return 1;
  if (word == "VIDEO") return 0;
  return std::nullopt;
}

// setILeave: NONE 0, CAPTURE 1, FULL 2.
std::optional<int32_t> interleavingOf(std::string_view word) {
  if (word == "NONE") return 0;
  if (word == "CAPTURE") return 1;
  if (word == "FULL") return 2;
  return std::nullopt;
}

}  // namespace

void dsMan::func_CaptureGraphBuilder() {
  frame<TCaptureGraphBuilder>(texts::kUnexpectedCaptureGraphBuilder, [&](SubCommand id, TCaptureGraphBuilder& builder) {
    const std::string name = engine_.token(0);
    switch (id) {
      case SubCommand::create:
        builder.make();
        engine_.pushUndoWords({name, "remove"});
        return true;
      case SubCommand::remove:
        builder.release();
        return true;
      case SubCommand::SetFiltergraph:
        builder.setFg(std::dynamic_pointer_cast<TGraphBuilder>(argObject(2)));
        return true;
      case SubCommand::renderPreview: {
        std::shared_ptr<dsMother> video = argObject(2);
        builder.renderPreview(video.get());
        engine_.pushUndoWords({name, "release"});
        return true;
      }
      case SubCommand::release:
        builder.stopPreview();
        return true;
      case SubCommand::setFName: {
        const std::string file = argText(2);
        const int32_t megabytes = argInt(3);
        builder.setOutputFile(file, megabytes);
        return true;
      }
      case SubCommand::renderVCapture: {
        std::shared_ptr<dsMother> video = argObject(2);
        // Only a line of exactly four tokens names a compressor; a trailing blank makes five.
        std::shared_ptr<dsMother> compressor = engine_.tokenCount() == 4 ? argObject(3) : nullptr;
        builder.renderVCapture(video, compressor ? compressor->getFilter() : nullptr);
        return true;
      }
      case SubCommand::renderACapture:
        builder.renderACapture(argObject(2));
        return true;
      case SubCommand::setViewWin: {
        const uint32_t owner = argNumber(2);
        const int32_t width = static_cast<int32_t>(argNumber(3));
        const int32_t height = static_cast<int32_t>(argNumber(4));
        builder.setPreviewWindow(owner, width, height);
        return true;
      }
      case SubCommand::preViewStream:
        builder.preViewStream(argWord(2) == "on");
        return true;
      case SubCommand::captureStream: {
        const bool on = argWord(2) == "on";
        builder.captureStream(on);
        if (on) engine_.host().postToFront(tvr::TVR_RECON, 0, 0);
        return true;
      }
      case SubCommand::setWinSize: {
        const int32_t width = argInt(2);
        const int32_t height = argInt(3);
        builder.fitVideoWindow(width, height);
        return true;
      }
      case SubCommand::capStartDelay:
        builder.capStartDelay(argInt(2));
        return true;
      case SubCommand::videoStartDelay:
        builder.videoStartDelay(argInt(2));
        return true;
      case SubCommand::audioStartDelay:
        builder.audioStartDelay(argInt(2));
        return true;
      case SubCommand::masterStream:
        if (std::optional<int32_t> stream = masterStreamOf(argWord(2))) builder.masterStream(*stream);
        return true;
      case SubCommand::setILeave:
        if (std::optional<int32_t> mode = interleavingOf(argWord(2))) builder.setInterleaving(*mode);
        return true;
      default:
        return false;
    }
  });
}
