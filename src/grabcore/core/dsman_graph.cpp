// Subcommands of the GraphBuilder kind.
#include "../../common/messages.h"
#include "../texts/engine_texts.h"
#include "dsman_frame.h"

void dsMan::func_GraphBuilder() {
  frame<TGraphBuilder>(texts::kUnexpectedGraphBuilder, [&](SubCommand id, TGraphBuilder& graph) {
    const std::string name = engine_.token(0);
    switch (id) {
      case SubCommand::create:
        graph.create();
        engine_.pushUndoWords({name, "remove"});
        return true;
      case SubCommand::remove:
        graph.release();
        return true;
      case SubCommand::add: {
        std::shared_ptr<dsMother> other = argObject(2);
        graph.add(other.get());
        return true;
      }
      case SubCommand::startGraph:
        graph.startView();
        engine_.pushUndoWords({name, "stopGraph"});
        return true;
      case SubCommand::stopGraph:
        graph.stopView();
        engine_.host().postToFront(tvr::TVR_RECOFF, 0, 0);
        return true;
      case SubCommand::EnumFilters:
        graph.showFilters();
        return true;
      default:
        return false;
    }
  });
}
