#include "mixer_echo.h"

namespace mixerecho {

bool volumeChangeSends(Counters& c) {
  ++c.pendingVolume;
  // Back at 0 from -1: this change is the report asked for after a change from elsewhere.
  return c.pendingVolume != 0;
}

void volumeReportUnmoved(Counters& c) {
  if (c.pendingVolume < 0) c.pendingVolume = 0;
}

Query controlChanged(Counters& c, uint32_t control) {
  const auto id = static_cast<int32_t>(control);
  if (c.volumeControlId != -1 && id == c.volumeControlId) {
    if (c.pendingVolume > 0) {
      --c.pendingVolume;
      return Query::none;
    }
    c.pendingVolume = -1;
    return Query::volume;
  }
  if (c.muteControlId != -1 && id == c.muteControlId) {
    if (c.pendingMute > 0) {
      --c.pendingMute;
      return Query::none;
    }
    return Query::mute;
  }
  return Query::none;
}

int barVolume(int position, bool vertical) { return vertical ? 65535 - position : position; }

}  // namespace mixerecho
