// The video source's capture pin: its stream configuration, the driver dialogs, the capture
// format and its profile files, the frame rate and the capture buffers.
#include "capture_pin.h"
#include "common/fileio.h"
#include "dialog_owner.h"
#include "ds_vcap_sorce.h"
#include "grabcore/core/errors.h"
#include "grabcore/texts/vcap_texts.h"
#include "property_frame.h"

using Microsoft::WRL::ComPtr;

std::string DsVCapSorce::profilePath(const std::string& profile) const {
  return videoProfilePath(programDir_, profile, settings_.useVfw);
}

IAMStreamConfig* DsVCapSorce::strmCnfPtr() {
  if (streamConfig_) return streamConfig_.Get();
  IBaseFilter* filter = getFilter();
  if (!filter) throw DeviceError{texts::kVCapCapturePinNotFound};
  ComPtr<IPin> pin;
  switch (findCaptureStreamConfig(filter, false, pin, streamConfig_)) {
    case CapturePinSearch::enumPinsFailed:
      throw DeviceError{texts::kVCapEnumPinsFailed};
    case CapturePinSearch::notFound:
      throw DeviceError{texts::kVCapCapturePinNotFound};
    case CapturePinSearch::found:
      break;
  }
  if (FAILED(pin->QueryInterface(IID_IAMBufferNegotiation,
                                 reinterpret_cast<void**>(bufferNegotiation_.ReleaseAndGetAddressOf()))) ||
      !bufferNegotiation_) {
    bufferNegotiation_.Reset();
    host_.showMessage(texts::kVCapNoBufferNegotiation);
  }
  return streamConfig_.Get();
}

MediaTypePtr DsVCapSorce::currentFormatShowing(const char* getFormatFailed) {
  IAMStreamConfig* config = nullptr;
  try {
    config = strmCnfPtr();
  } catch (const DeviceError& error) {
    host_.showErrorDialog(error.text);
    return nullptr;
  }
  MediaTypePtr type = currentFormat(config);
  if (!type) host_.showErrorDialog(getFormatFailed);
  return type;
}

void DsVCapSorce::showDialog(int kind, uint64_t window) {
  if (settings_.useVfw) {
    // S_FALSE counts as present; a missing VfW filter has no dialog at all.
    if (!vfwDialogs_ || FAILED(vfwDialogs_->HasDialog(kind))) {
      host_.showErrorDialog(texts::kVCapUnsupportedDialog);
      return;
    }
    vfwDialogs_->ShowDialog(kind, windowOf(window));
    return;
  }
  if (kind != VfwCaptureDialog_Format) return;
  IAMStreamConfig* config = strmCnfPtr();
  ComPtr<ISpecifyPropertyPages> specify;
  if (FAILED(config->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(specify.GetAddressOf()))) ||
      !specify)
    return;
  std::wstring caption;
  FILTER_INFO info{};
  if (SUCCEEDED(getFilter()->QueryFilterInfo(&info))) {
    info.achName[MAX_FILTER_NAME - 1] = L'\0';
    caption = info.achName;
    if (info.pGraph) info.pGraph->Release();
  }
  CAUUID pages{};
  if (FAILED(specify->GetPages(&pages))) return;
  showPropertyFrame(caption, config, pages);
  CoTaskMemFree(pages.pElems);
}

VideoSize DsVCapSorce::getVideoSize() {
  MediaTypePtr type = currentFormat(strmCnfPtr());
  if (!type) throw DeviceError{texts::kVCapVideoSizeFailed};
  return videoInfoSize(toGuid(type->formattype), type->pbFormat, type->cbFormat);
}

void DsVCapSorce::loadFormat(const std::string& profile) {
  profileName_ = profile;
  const std::string path = profilePath(profile);
  if (!tavora::fileExists(path)) return;
  std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(path);
  std::optional<MediaTypeRecord> record = data ? decodeMediaTypeFile(*data) : std::nullopt;
  if (!record) throw DeviceError{texts::kVCapProfileUnreadable};
  AM_MEDIA_TYPE type = mediaTypeOver(*record);
  if (FAILED(strmCnfPtr()->SetFormat(&type))) throw DeviceError{texts::kVCapLoadFormatSetFailed};
}

void DsVCapSorce::saveFormat() {
  if (profileName_.empty()) return;
  MediaTypePtr type = currentFormatShowing(texts::kVCapSaveFormatGetFailed);
  if (!type) return;
  const MediaTypeRecord record = toRecord(*type);
  // A format that loadFormat would refuse is not written: the profile would fail every load.
  if (!fitsProfileFile(record)) return;
  if (!tavora::writeFileReplacing(profilePath(profileName_), encodeMediaTypeFile(record)))
    host_.showErrorDialog(texts::kVCapSaveFormatOpenFailed);
}

void DsVCapSorce::deleteVideo(const std::string& profile) { tavora::removeFile(profilePath(profile)); }

double DsVCapSorce::getFrameRate() {
  if (profileName_.empty()) return kNoFrameRate;
  MediaTypePtr type = currentFormatShowing(texts::kVCapGetFrameRateFailed);
  if (!type) return kNoFrameRate;
  std::optional<int64_t> frameTime = videoInfoFrameTime(toGuid(type->formattype), type->pbFormat, type->cbFormat);
  return frameTime ? frameRateOf(*frameTime) : kNoFrameRate;
}

void DsVCapSorce::setFrameRate(double rate) {
  if (profileName_.empty()) return;
  // A rate that gives no frame time (zero, negative, not a number) is ignored.
  std::optional<int64_t> frameTime = frameTimeOf(rate);
  if (!frameTime) return;
  MediaTypePtr type = currentFormatShowing(texts::kVCapSetFrameRateGetFailed);
  if (!type) return;
  if (!setVideoInfoFrameTime(toGuid(type->formattype), type->pbFormat, type->cbFormat, *frameTime)) return;
  if (FAILED(streamConfig_->SetFormat(type.get()))) host_.showErrorDialog(texts::kVCapSetFrameRateSetFailed);
}

void DsVCapSorce::allocProp() {
  IAMStreamConfig* config = strmCnfPtr();
  // The interface is let go after each use; a later call asks the same pin again.
  if (!bufferNegotiation_ &&
      (FAILED(config->QueryInterface(IID_IAMBufferNegotiation,
                                     reinterpret_cast<void**>(bufferNegotiation_.GetAddressOf()))) ||
       !bufferNegotiation_)) {
    bufferNegotiation_.Reset();
    return;
  }
  // Negative fields ask for nothing in particular, for when the pin has no allocator yet.
  ALLOCATOR_PROPERTIES properties{-1, -1, -1, -1};
  if (FAILED(bufferNegotiation_->GetAllocatorProperties(&properties))) properties = {-1, -1, -1, -1};
  properties.cBuffers = 16;
  bufferNegotiation_->SuggestAllocatorProperties(&properties);
  bufferNegotiation_.Reset();
}
