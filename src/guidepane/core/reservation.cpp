#include "reservation.h"

#include <vector>

#include "../../common/bytes.h"
#include "../../common/tuner_file.h"
#include "../texts/guidepane_texts.h"

namespace guide {

ChannelList readChannelList(const std::string& tunerPath) {
  ChannelList list;
  if (auto names = tavora::readTunerChannelNames(tunerPath)) {
    list.names = std::move(*names);
    list.noChannelTable = false;
  }
  return list;
}

std::vector<uint8_t> encodeReservation(double start, double end, int32_t channel, std::string_view title) {
  constexpr uint32_t kTitleOffset = 32;
  tavora::ByteWriter out;
  out.u32(static_cast<uint32_t>(title.size() + kTitleOffset + 1));
  out.u32(kTitleOffset);
  out.f64(start);
  out.f64(end);
  out.i32(channel);
  out.u32(0);
  out.cstr(title);
  return out.take();
}

StationChoice selectStation(const defFile& settings, const std::string& code, size_t channelCount) {
  StationChoice choice;
  if (const auto position = settings.channelOf(code)) {
    choice.remembered = *position;
    if (*position >= 0 && static_cast<size_t>(*position) < channelCount) choice.selected = *position;
    return choice;
  }
  choice.firstTime = true;
  choice.comboText = std::string(texts::kChooseStationHead) + code + texts::kChooseStationTail;
  return choice;
}

const char* checkReservation(double start, double end, int selected, std::string_view title) {
  if (start > end) return texts::kEndBeforeStart;
  if (selected < 0) return texts::kNoChannelChosen;
  if (title.empty()) return texts::kNoTitle;
  return nullptr;
}

void rememberStation(defFile& settings, const std::string& code, int32_t position) {
  // An empty code names no station: it would take over whichever channel it was given.
  if (code.empty()) return;
  std::erase_if(settings.stations,
                [&](const urlChannel2& pair) { return pair.station == code && pair.channel != position; });
  settings.setChannel(code, position);
}

StationMemory stationMemoryAction(int32_t remembered, int selected) {
  if (remembered == -1) return StationMemory::remember;
  return remembered == selected ? StationMemory::keep : StationMemory::ask;
}

}  // namespace guide
