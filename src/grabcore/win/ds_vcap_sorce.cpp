// The video source's device: choosing and binding it, its settings file and picture control.
#include "ds_vcap_sorce.h"

#include "common/fileio.h"
#include "common/messages.h"
#include "filter_lookup.h"
#include "form_sel_vcap.h"
#include "grabcore/core/errors.h"
#include "grabcore/texts/vcap_texts.h"

using Microsoft::WRL::ComPtr;

namespace {

template <class T>
bool query(IUnknown* object, REFIID iid, ComPtr<T>& out) {
  return object && SUCCEEDED(object->QueryInterface(iid, reinterpret_cast<void**>(out.ReleaseAndGetAddressOf()))) &&
         out;
}

constexpr int kPictureOrder[] = {Saturation, Brightness, Contrast, Hue};

}  // namespace

DsVCapSorce::DsVCapSorce(EngineHost& host, ComFactory& com, std::string programDir)
    : host_(host), com_(com), programDir_(std::move(programDir)) {}

IBaseFilter* DsVCapSorce::getFilter() { return settings_.useVfw ? vfwFilter_.Get() : wdmFilter_.Get(); }

void DsVCapSorce::releaseDevices() {
  vfwDialogs_.Reset();
  procAmp_.Reset();
  bufferNegotiation_.Reset();
  streamConfig_.Reset();
  wdmFilter_.Reset();
  vfwFilter_.Reset();
}

void DsVCapSorce::create(uint64_t window) {
  opened_ = false;
  releaseDevices();
  std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(vcapSettingsPath(programDir_));
  std::optional<VCapSettings> stored = data ? decodeVCapSettings(*data) : std::nullopt;
  if (!stored || !openStored(*stored)) {
    // What the stored names bound is let go before the search binds afresh.
    releaseDevices();
    findVCapFilter();
    settings_.useVfw = settings_.hasVfw && settings_.hasWdm ? chooseCaptureDriver() == kDriverChoiceVfw
                                                            : settings_.hasVfw;
    settings_.version = kVCapSettingsVersion;
    for (int property : kPictureOrder) settings_.setPicture(property, kSearchPictureValue);
    saveSettings();
  }
  opened_ = true;
  host_.postToWindow(window, tvr::TVR_DRIVER, settings_.useVfw ? 2 : 1, settings_.hasVfw && settings_.hasWdm ? 1 : 0);
}

bool DsVCapSorce::openStored(const VCapSettings& stored) {
  settings_ = stored;
  CLSID clsid;
  if (settings_.hasVfw) {
    if (!findFilter(host_, com_, settings_.vfwName, CLSID_VideoInputDeviceCategory, &clsid,
                    vfwFilter_.ReleaseAndGetAddressOf()) ||
        !query(vfwFilter_.Get(), IID_IAMVfwCaptureDialogs, vfwDialogs_))
      return false;
  }
  if (settings_.hasWdm) {
    if (!findFilter(host_, com_, settings_.wdmName, CLSID_VideoInputDeviceCategory, &clsid,
                    wdmFilter_.ReleaseAndGetAddressOf()) ||
        !query(wdmFilter_.Get(), IID_IAMVideoProcAmp, procAmp_))
      return false;
  }
  return true;
}

void DsVCapSorce::findVCapFilter() {
  settings_.hasVfw = settings_.hasWdm = false;
  settings_.useVfw = true;
  settings_.vfwName.clear();
  settings_.wdmName.clear();
  ComPtr<IEnumMoniker> monikers = openDeviceCategory(com_, CLSCTX_INPROC, CLSID_VideoInputDeviceCategory,
                                                     texts::kVCapEnumCreateFailed, texts::kVCapClassEnumFailed);
  // An empty category: no device found.
  if (monikers) {
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK && moniker) {
      std::optional<std::string> name = monikerFriendlyName(moniker.Get());
      ComPtr<IBaseFilter> filter;
      if (!name || FAILED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                                reinterpret_cast<void**>(filter.GetAddressOf()))) ||
          !filter)
        continue;
      // One device may take both roles; each role holds its own reference, and a later
      // device of a kind replaces (and lets go of) the earlier one.
      ComPtr<IAMVideoProcAmp> amp;
      if (query(filter.Get(), IID_IAMVideoProcAmp, amp)) {
        wdmFilter_ = filter;
        procAmp_ = amp;
        settings_.wdmName = *name;
        settings_.hasWdm = true;
      }
      ComPtr<IAMVfwCaptureDialogs> dialogs;
      if (query(filter.Get(), IID_IAMVfwCaptureDialogs, dialogs)) {
        vfwFilter_ = filter;
        vfwDialogs_ = dialogs;
        settings_.vfwName = *name;
        settings_.hasVfw = true;
      }
    }
  }
  if (!settings_.hasVfw && !settings_.hasWdm) throw DeviceError{texts::kVCapNoDeviceFound};
}

void DsVCapSorce::saveSettings() {
  // A property the device cannot tell keeps its stored value.
  for (int property : kPictureOrder)
    if (std::optional<int32_t> value = readQuality(property)) settings_.setPicture(property, *value);
  if (!tavora::writeFileReplacing(vcapSettingsPath(programDir_), encodeVCapSettings(settings_)))
    host_.showErrorDialog(texts::kVCapSettingsWriteFailed);
}

std::optional<int32_t> DsVCapSorce::readQuality(int property) {
  if (!settings_.hasWdm || !procAmp_) return kNoPictureControlValue;
  long value = 0;
  long flags = 0;
  if (FAILED(procAmp_->Get(property, &value, &flags))) return std::nullopt;
  return static_cast<int32_t>(value);
}

int32_t DsVCapSorce::getQuality(int property) {
  std::optional<int32_t> value = readQuality(property);
  if (!value) throw DeviceError{texts::kVCapGetQualityFailed};
  return *value;
}

bool DsVCapSorce::applyQuality(int property, int32_t value) {
  if (!settings_.hasWdm || !procAmp_) return true;
  if (FAILED(procAmp_->Set(property, value, VideoProcAmp_Flags_Manual))) return false;
  settings_.setPicture(property, value);
  return true;
}

void DsVCapSorce::setQuality(int property, int32_t value) {
  if (!applyQuality(property, value)) throw DeviceError{texts::kVCapSetQualityFailed};
}

void DsVCapSorce::loadQuality() {
  // A property the device lacks (many cards have no hue) is passed over, so that putting the
  // stored values back never tears the preview down.
  for (int property : kPictureOrder) applyQuality(property, settings_.picture(property));
}

void DsVCapSorce::chgDriver(int kind) {
  if (kind != 1 && kind != 2) return;
  const bool useVfw = kind == 1;
  if (useVfw != settings_.useVfw) {
    // The pin interfaces belong to the other device's filter.
    streamConfig_.Reset();
    bufferNegotiation_.Reset();
  }
  settings_.useVfw = useVfw;
  if (opened_) saveSettings();
}

void DsVCapSorce::remove() {
  if (opened_) {
    saveSettings();
    saveFormat();
  }
  opened_ = false;
  releaseDevices();
}
