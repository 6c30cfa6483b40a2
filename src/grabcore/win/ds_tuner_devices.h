// The card's TV tuner and its two crossbars over DirectShow: found by rendering the preview of
// the first video input with a picture control, then kept in the graph for every later graph.
#pragma once

#include <dshow.h>
#include <wrl/client.h>

#include <string>

#include "com_seam.h"
#include "grabcore/core/tuner_ports.h"

class DsTunerDevices : public TunerDevices {
 public:
  explicit DsTunerDevices(ComFactory& com) : com_(com) {}

  bool discover(TGraphBuilder* graph) override;
  bool held() const override;
  bool putModeTv() override;
  bool putInputType(uint8_t type) override;
  bool putChannel(uint16_t channel) override;
  bool channelMinMax(int32_t& min, int32_t& max) override;
  bool autoTune(int32_t channel) override;
  bool route(bool upstream, int32_t output, int32_t input) override;
  void removeOthers(TGraphBuilder* graph) override;
  void release() override;

 private:
  // A found filter: the interface it was found by, its filter and its name in the graph.
  template <class I>
  struct FilterIndex {
    Microsoft::WRL::ComPtr<I> control;
    Microsoft::WRL::ComPtr<IBaseFilter> filter;
    std::wstring name;
    bool take(IUnknown* found);
  };

  Microsoft::WRL::ComPtr<IBaseFilter> findCaptureFilter();

  ComFactory& com_;
  FilterIndex<IAMTVTuner> tuner_;
  FilterIndex<IAMCrossbar> downstream_;
  FilterIndex<IAMCrossbar> upstream_;
};
