// guidepane.dat: the guide's window layout, mode, text size, base address of the listing site
// and the memory of which channel position belongs to which station code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct urlChannel2 {
  std::string station;  // the code the listing site puts after "ch=" in its links
  int32_t channel = 0;  // 0-based position in TvTuner.dat order, not a channel key
};

struct PanelPos {
  int32_t left = 0;
  int32_t top = 0;
  bool operator==(const PanelPos&) const = default;
};

// Where the four tool panels sit in the freshly built main window.
struct DesignPanels {
  PanelPos panel3, panel5, panel4, panel2A;
};

// The 76-byte header; its pointer slot (64) and padding are written as 0 and never read.
struct GuideHeader {
  int32_t formatWord = 1;  // carried along unchanged
  int32_t left = 0, top = 0, width = 0, height = 0;  // width 0: no stored placement
  uint8_t windowState = 0;  // 0 normal, 1 minimised, 2 maximised
  PanelPos panel3, panel5, panel4, panel2A;
  uint8_t online = 0;
  int32_t textSize = 2;  // 0 smallest .. 4 largest
  uint8_t downloadRecords = 0;  // the download dialog's hidden check box, kept only
};

// What the file holds.
struct GuideSettings {
  GuideHeader header;
  std::string baseAddress;  // ends with "/"; page names are appended to it
  std::vector<urlChannel2> stations;
};

std::vector<uint8_t> encodeGuideSettings(const GuideSettings& settings);
// Nothing for a file shorter than its header or whose count or strings run past its end; a text
// size or window state out of range is brought into range.
std::optional<GuideSettings> decodeGuideSettings(const std::vector<uint8_t>& data);

class defFile : public GuideSettings {
 public:
  static constexpr size_t kHeaderSize = 76;
  static constexpr int32_t kMaxTextSize = 4;
  static constexpr uint8_t kMaxWindowState = 2;

  // Loads the file at path; a missing, short or damaged file gives the defaults silently.
  defFile(std::string path, const DesignPanels& design);
  // Writes the file; when it cannot be written the old one stays, silently.
  ~defFile();
  defFile(const defFile&) = delete;
  defFile& operator=(const defFile&) = delete;

  // The channel position belongs to the station from now on; a station that had that position
  // before is forgotten. An empty code is no station and changes nothing.
  void setChannel(const std::string& station, int32_t channel);
  // The position of the first pair with exactly this code (case-sensitive).
  std::optional<int32_t> channelOf(const std::string& station) const;

  bool save() const;

 private:
  std::string path_;
};
