// Which items of the tray menu can be chosen, decided each time it opens.
#pragma once

struct TrayMenuState {
  bool queueBusy = false;
  bool optionsOpen = false;
  bool channelTableFound = false;
  bool recMenuOn = false;
  bool stopTimeMenuOn = false;
};

struct TrayMenuEnabling {
  bool tvView, stopRecording, stopTime, reservations, guide, version, exit;
};

TrayMenuEnabling trayMenuEnabling(const TrayMenuState& s);
