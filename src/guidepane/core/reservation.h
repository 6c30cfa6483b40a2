// The reservation check: the station memory (station code to channel position), the checks
// before a reservation is handed on, and the block that planbook receives.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "def_file.h"

namespace guide {

// The channel list of the reservation check, read once per run from TvTuner.dat; an item's index
// is the channel's position. Without a readable table no reservation can be made.
struct ChannelList {
  std::vector<std::string> names;
  bool noChannelTable = true;
};
ChannelList readChannelList(const std::string& tunerPath);

// rsvCopyData: size, title offset 32, start and end as OLE dates, the channel position, a
// reserved 0, then the title's bytes and a NUL; size = title length + 33.
std::vector<uint8_t> encodeReservation(double start, double end, int32_t channel, std::string_view title);

struct StationChoice {
  int selected = -1;        // the combo item to select, -1 for none
  int32_t remembered = -1;  // the position remembered for the code, -1 when there is none
  bool firstTime = false;   // tell the user to choose, and show comboText
  std::string comboText;
};
// What the channel list shows for a link's station code.
StationChoice selectStation(const defFile& settings, const std::string& code, size_t channelCount);

// The first failed check's message (shown with the caption "予約内容エラー"), or nullptr.
const char* checkReservation(double start, double end, int selected, std::string_view title);

// The position belongs to the station from now on: its older pairs go, so that the next lookup
// (which takes the first pair of a code) finds this one.
void rememberStation(defFile& settings, const std::string& code, int32_t position);

enum class StationMemory { remember, keep, ask };
// remember: setChannel now; keep: nothing to change; ask: the channel differs from the remembered.
StationMemory stationMemoryAction(int32_t remembered, int selected);

}  // namespace guide
