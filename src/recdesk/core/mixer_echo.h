// The volume bar and mute button kept in step with the sound mixer: the mixer's change notices
// of this program's own commands are counted off, and a change from elsewhere is asked for.
#pragma once

#include <cstdint>

namespace mixerecho {

struct Counters {
  int32_t volumeControlId = -1;  // -1 until the engine names them
  int32_t muteControlId = -1;
  // Own changes whose notice has not come; -1: a volume report asked for is on its way.
  int32_t pendingVolume = 0;
  int32_t pendingMute = 0;
};

// TrackBar1Change: whether the bar's change goes to the mixer.
bool volumeChangeSends(Counters& c);
// A volume report that leaves the bar where it was raises no change: it ends the wait all the
// same, so that the user's next move is sent.
void volumeReportUnmoved(Counters& c);

enum class Query { none, volume, mute };
// MM_MIXM_CONTROL_CHANGE for a control: what to ask the mixer.
Query controlChanged(Counters& c, uint32_t control);

// The volume the bar shows: it runs the other way when vertical.
int barVolume(int position, bool vertical);

}  // namespace mixerecho
