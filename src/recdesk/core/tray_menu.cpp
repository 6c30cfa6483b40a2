#include "tray_menu.h"

TrayMenuEnabling trayMenuEnabling(const TrayMenuState& s) {
  // The programs started from the menu need no engine; everything else waits for the queue.
  const bool idle = !s.queueBusy && !s.optionsOpen;
  return {idle, idle && s.recMenuOn, idle && s.stopTimeMenuOn, s.channelTableFound, s.channelTableFound, idle, idle};
}
