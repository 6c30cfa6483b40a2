// What the tuner's logic needs of the platform: the card's tuner and two crossbars, and the
// scan's two windows. The Windows side implements them over DirectShow and its forms.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TGraphBuilder;

class TunerDevices {
 public:
  virtual ~TunerDevices() = default;
  // Finds the card's tuner and crossbars in the graph (which may be absent); false, silently,
  // when they are not all there.
  virtual bool discover(TGraphBuilder* graph) = 0;
  // True while the tuner and both crossbars are held.
  virtual bool held() const = 0;
  // Each answers false when the device returns a failure code.
  virtual bool putModeTv() = 0;
  virtual bool putInputType(uint8_t type) = 0;  // 1 antenna, 0 cable
  virtual bool putChannel(uint16_t channel) = 0;
  virtual bool channelMinMax(int32_t& min, int32_t& max) = 0;
  // True when fine tuning reports a signal on the channel; a failed call counts as none.
  virtual bool autoTune(int32_t channel) = 0;
  virtual bool route(bool upstream, int32_t output, int32_t input) = 0;
  // Removes from the graph every filter but the tuner and the two crossbars.
  virtual void removeOthers(TGraphBuilder* graph) = 0;
  virtual void release() = 0;
};

// The scan's progress window; closed and destroyed with the object.
class ScanProgress {
 public:
  virtual ~ScanProgress() = default;
  virtual void setCaption(const std::string& caption) = 0;
  virtual void setMaximum(int32_t maximum) = 0;
  virtual void setPosition(int32_t position) = 0;
  // Lets the window repaint between channels.
  virtual void pump() = 0;
};

// The first run's scan question's answers.
inline constexpr int kScanAntenna = 1;
inline constexpr int kScanCable = 2;
inline constexpr int kScanNone = 3;
// No answer: the program ended while it was asked.
inline constexpr int kScanEnded = 0;

class TunerDialogs {
 public:
  virtual ~TunerDialogs() = default;
  // Asks whether to scan and which input; kScanAntenna, kScanCable or kScanNone, or kScanEnded.
  virtual int askScan() = 0;
  virtual std::unique_ptr<ScanProgress> openProgress(const std::string& caption) = 0;
};
