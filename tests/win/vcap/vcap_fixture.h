// Video source tests over the COM fakes: capture devices of either driver kind, a settings
// folder of the test's own, and stand-ins for the driver choice dialog and the property frame.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fakes/engine_over_fakes.h"
#include "grabcore/win/ds_vcap_sorce.h"
#include "grabcore/win/form_sel_vcap.h"
#include "grabcore/win/property_frame.h"

namespace vcaptest {

// Answers the driver choice dialog and counts how often it was asked.
class ChoiceStub : public DriverChoiceSeam {
 public:
  int choose() override {
    ++shown;
    return answer;
  }
  int answer = kDriverChoiceVfw;
  int shown = 0;
};

// Records the property frames instead of showing them.
class FrameStub : public PropertyFrameSeam {
 public:
  HRESULT show(const std::wstring& caption, IUnknown* object, const CAUUID& pages) override;
  std::vector<std::wstring> shown;  // "<caption> <object's fake name> <page count>"
  fakes::ComKit* kit = nullptr;
};

using fakes::post;
using fakes::postTo;
using fakes::sj;
using fakes::TempFolder;

class VCapOverFakes : public fakes::EngineOverFakesInFolder {
 protected:
  VCapOverFakes();
  ~VCapOverFakes() override;

  // A capture device whose filter answers IAMVideoProcAmp (WDM), IAMVfwCaptureDialogs (VfW)
  // or both, with an input pin, a preview pin and a capture pin in that order; the capture
  // pin answers the pin category, stream configuration, buffer negotiation and property pages.
  struct Device {
    fakes::FakeFilter* filter = nullptr;
    fakes::FakePin* capture = nullptr;
    fakes::FakeMoniker* moniker = nullptr;
  };
  Device addDevice(const std::wstring& id, const std::wstring& friendlyName, bool wdm, bool vfw);
  // Picture values Brightness, Contrast, Hue, Saturation of a WDM device.
  static void setPicture(const Device& device, long brightness, long contrast, long hue, long saturation);
  // The capture pin's format: a VIDEOINFOHEADER of that size and frame time.
  static void setFormat(const Device& device, long width, long height, REFERENCE_TIME frameTime);

  // VCapSorce.dat as it is on disk, decoded; none when missing or unreadable.
  std::optional<VCapSettings> storedSettings() const;
  // The object named cVCap.
  DsVCapSorce* source();
  ChoiceStub choice;
  FrameStub frames;
};

}  // namespace vcaptest
