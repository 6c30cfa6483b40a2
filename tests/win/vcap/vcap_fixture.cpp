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
  Device device;
  device.filter = kit.make<FakeFilter>(id);
  device.filter->friendlyName = friendlyName;
  if (wdm) device.filter->offer(IID_IAMVideoProcAmp);
  if (vfw) device.filter->offer(IID_IAMVfwCaptureDialogs);
  device.filter->addPin(L"in", PINDIR_INPUT);
  FakePin* preview = device.filter->addPin(L"preview", PINDIR_OUTPUT);
  preview->offer(IID_IKsPropertySet);
  preview->category = PIN_CATEGORY_PREVIEW;
  preview->offer(IID_IAMStreamConfig);
  device.capture = device.filter->addPin(L"capture", PINDIR_OUTPUT);
  for (const IID* iid : {&IID_IKsPropertySet, &IID_IAMStreamConfig, &IID_IAMBufferNegotiation,
                         &IID_ISpecifyPropertyPages})
    device.capture->offer(*iid);
  device.capture->category = PIN_CATEGORY_CAPTURE;
  setFormat(device, 640, 480, 333667);
  setPicture(device, 110, 120, 130, 140);
  device.moniker = com.devices->addDevice(CLSID_VideoInputDeviceCategory, id, friendlyName, device.filter);
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
