#include "vcap_fixture.h"

#include <windows.h>

#include "common/fileio.h"
#include "winui/text.h"

namespace vcaptest {

using fakes::FakeFilter;
using fakes::FakePin;

HRESULT FrameStub::show(const std::wstring& caption, IUnknown* object, const CAUUID& pages) {
  shown.push_back(caption + L" " + (kit ? kit->nameOf(object) : L"?") + L" " + std::to_wstring(pages.cElems));
  return S_OK;
}

VCapOverFakes::VCapOverFakes() {
  frames.kit = &kit;
  setDriverChoiceSeam(&choice);
  setPropertyFrameSeam(&frames);
}

VCapOverFakes::~VCapOverFakes() {
  setDriverChoiceSeam(nullptr);
  setPropertyFrameSeam(nullptr);
}

VCapOverFakes::Device VCapOverFakes::addDevice(const std::wstring& id, const std::wstring& friendlyName, bool wdm,
                                               bool vfw) {
  const fakes::VideoDevice added = fakes::addVideoDevice(*com.devices, id, friendlyName, wdm, vfw);
  Device device{added.filter, added.capture, added.moniker};
  setPicture(device, 110, 120, 130, 140);
  return device;
}

void VCapOverFakes::setPicture(const Device& device, long brightness, long contrast, long hue, long saturation) {
  device.filter->procAmp = {{0, brightness}, {1, contrast}, {2, hue}, {3, saturation}};
}

void VCapOverFakes::setFormat(const Device& device, long width, long height, REFERENCE_TIME frameTime) {
  std::vector<BYTE> block;
  AM_MEDIA_TYPE type = fakes::videoFormat(width, height, frameTime, block);
  device.capture->setFormat(type);
}

std::optional<VCapSettings> VCapOverFakes::storedSettings() const {
  std::optional<std::vector<uint8_t>> data = read("VCapSorce.dat");
  return data ? decodeVCapSettings(*data) : std::nullopt;
}

DsVCapSorce* VCapOverFakes::source() { return dynamic_cast<DsVCapSorce*>(engine->object("cVCap").get()); }

}  // namespace vcaptest
