// Subcommands of the TvTuner kind.
#include "../texts/engine_texts.h"
#include "dsman_frame.h"
#include "graph_builder.h"
#include "tv_tuner.h"

void dsMan::func_TvTuner() {
  frame<TTvTuner>(texts::kUnexpectedTvTuner, [&](SubCommand id, TTvTuner& tuner) {
    const auto graphArg = [&] { return std::dynamic_pointer_cast<TGraphBuilder>(argObject(2)); };
    switch (id) {
      case SubCommand::create:
        // The undo line goes first: it stands whether the card is found or not.
        engine_.pushUndoWords({engine_.token(0), "remove"});
        tuner.create(graphArg().get());
        return true;
      case SubCommand::remove:
        tuner.remove();
        return true;
      case SubCommand::setCh: {
        if (engine_.tokenCount() == 2) {
          tuner.setCh(nullptr);
        } else {
          const int32_t key = argInt(2);
          tuner.setCh(&key);
        }
        return true;
      }
      case SubCommand::incChannel:
        tuner.stepChannel(1);
        return true;
      case SubCommand::decChannel:
        tuner.stepChannel(-1);
        return true;
      case SubCommand::nukeWithoutNeeds:
        tuner.nukeWithoutNeeds(graphArg().get());
        return true;
      case SubCommand::searchChannel:
        tuner.searchChannel(inputTypeOfWord(argWord(2)));
        return true;
      case SubCommand::prChannelToListview:
        tuner.prChannelToListview();
        return true;
      case SubCommand::setSelChCombo:
        tuner.setSelChCombo(inputTypeOfWord(argWord(2)));
        return true;
      case SubCommand::changeChValue: {
        // Converted from the last argument to the first: a bad number fails before any change.
        const uint8_t type = inputTypeOfWord(argWord(6));
        const int32_t tuning = argInt(5);
        const int32_t key = argInt(4);
        const std::string name = argText(3);
        tuner.changeChValue(argInt(2), name, key, tuning, type);
        return true;
      }
      case SubCommand::chIndexToUpper:
        tuner.chIndexToUpper(argInt(2));
        return true;
      case SubCommand::chIndexToLower:
        tuner.chIndexToLower(argInt(2));
        return true;
      case SubCommand::addChToList: {
        const uint8_t type = inputTypeOfWord(argWord(5));
        const int32_t tuning = argInt(4);
        const std::string name = argText(3);
        tuner.addChToList(argInt(2), name, tuning, type);
        return true;
      }
      case SubCommand::delChFromList:
        tuner.delChFromList(argInt(2));
        return true;
      case SubCommand::setCaption: {
        if (engine_.tokenCount() < 3) {
          tuner.setCaption(nullptr);
        } else {
          const std::string text = argText(2);
          tuner.setCaption(&text);
        }
        return true;
      }
      case SubCommand::saveTunerDat:
        tuner.saveTunerDat();
        return true;
      default:
        return false;
    }
  });
}
