// Dispatchers of the kinds whose device classes are not in this build yet. The factory makes
// no object of these kinds, so "new" leaves nothing for them to serve; should a line reach
// one anyway, it is answered as a word of another kind.
#include "../texts/engine_texts.h"
#include "dsman_frame.h"

void dsMan::func_TvTuner() {
  frame<dsMother>(texts::kUnexpectedTvTuner, [](SubCommand, dsMother&) { return false; });
}
void dsMan::func_Mixer() {
  frame<dsMother>(texts::kUnexpectedMixer, [](SubCommand, dsMother&) { return false; });
}
