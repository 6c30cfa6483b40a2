#include "def_file.h"

#include <algorithm>

#include "../../common/bytes.h"
#include "../../common/fileio.h"
#include "listing_site.h"

namespace {

void writePanel(tavora::ByteWriter& out, const PanelPos& p) {
  out.i32(p.left);
  out.i32(p.top);
}

PanelPos readPanel(tavora::ByteReader& in) {
  PanelPos p;
  p.left = in.i32();
  p.top = in.i32();
  return p;
}

}  // namespace

std::vector<uint8_t> encodeGuideSettings(const GuideSettings& s) {
  const GuideHeader& h = s.header;
  tavora::ByteWriter out;
  out.i32(h.formatWord);
  out.i32(h.left);
  out.i32(h.top);
  out.i32(h.width);
  out.i32(h.height);
  out.u8(h.windowState);
  out.zeros(3);
  writePanel(out, h.panel3);
  writePanel(out, h.panel5);
  writePanel(out, h.panel4);
  writePanel(out, h.panel2A);
  out.u8(h.online);
  out.zeros(3);
  out.i32(h.textSize);
  out.u32(0);  // the base address's pointer slot
  out.u8(h.downloadRecords);
  out.zeros(3);
  out.u32(static_cast<uint32_t>(s.stations.size()));
  for (const urlChannel2& pair : s.stations) out.i32(pair.channel);
  out.cstr(s.baseAddress);
  for (const urlChannel2& pair : s.stations) out.cstr(pair.station);
  return out.take();
}

std::optional<GuideSettings> decodeGuideSettings(const std::vector<uint8_t>& data) {
  if (data.size() < defFile::kHeaderSize) return std::nullopt;
  tavora::ByteReader in(data);
  GuideSettings s;
  GuideHeader& h = s.header;
  h.formatWord = in.i32();
  h.left = in.i32();
  h.top = in.i32();
  h.width = in.i32();
  h.height = in.i32();
  h.windowState = in.u8();
  in.skip(3);
  h.panel3 = readPanel(in);
  h.panel5 = readPanel(in);
  h.panel4 = readPanel(in);
  h.panel2A = readPanel(in);
  h.online = in.u8() ? 1 : 0;
  in.skip(3);
  h.textSize = in.i32();
  in.skip(4);
  h.downloadRecords = in.u8() ? 1 : 0;
  in.skip(3);
  const uint32_t count = in.u32();
  // Each pair needs its 4-byte position and at least the NUL of its code.
  if (count > (data.size() - defFile::kHeaderSize) / 5) return std::nullopt;
  s.stations.resize(count);
  for (urlChannel2& pair : s.stations) pair.channel = in.i32();
  s.baseAddress = in.cstr();
  for (urlChannel2& pair : s.stations) pair.station = in.cstr();
  if (!in.ok()) return std::nullopt;
  h.textSize = std::clamp(h.textSize, 0, defFile::kMaxTextSize);
  if (h.windowState > defFile::kMaxWindowState) h.windowState = 0;
  if (h.width < 0 || h.height < 0) h.width = 0;  // no usable placement
  return s;
}

defFile::defFile(std::string path, const DesignPanels& design) : path_(std::move(path)) {
  std::optional<GuideSettings> loaded;
  if (auto data = tavora::readWholeFile(path_)) loaded = decodeGuideSettings(*data);
  if (loaded) {
    static_cast<GuideSettings&>(*this) = std::move(*loaded);
    return;
  }
  header.panel3 = design.panel3;
  header.panel5 = design.panel5;
  header.panel4 = design.panel4;
  header.panel2A = design.panel2A;
  baseAddress = guide::kDefaultBaseAddress;
}

defFile::~defFile() { save(); }

bool defFile::save() const { return tavora::writeFileReplacing(path_, encodeGuideSettings(*this)); }

void defFile::setChannel(const std::string& station, int32_t channel) {
  // A link without a station code names no station: it must not take over a station's channel.
  if (station.empty()) return;
  for (urlChannel2& pair : stations) {
    if (pair.channel == channel) {
      pair.station = station;
      return;
    }
  }
  stations.push_back({station, channel});
}

std::optional<int32_t> defFile::channelOf(const std::string& station) const {
  for (const urlChannel2& pair : stations)
    if (pair.station == station) return pair.channel;
  return std::nullopt;
}
