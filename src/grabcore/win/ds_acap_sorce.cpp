#include "ds_acap_sorce.h"

#include <algorithm>
#include <cstring>

#include "audio_format_chooser.h"
#include "capture_pin.h"
#include "common/fileio.h"
#include "dialog_owner.h"
#include "filter_lookup.h"
#include "grabcore/core/errors.h"
#include "grabcore/texts/acap_texts.h"
#include "grabcore/texts/vcap_texts.h"
#include "media_type.h"

using Microsoft::WRL::ComPtr;

DsACapSorce::DsACapSorce(EngineHost& host, ComFactory& com, std::string programDir)
    : host_(host), com_(com), programDir_(std::move(programDir)) {}

void DsACapSorce::release() {
  mediaType_.reset();
  streamConfig_.Reset();
  filter_.Reset();
}

void DsACapSorce::create(const std::string& profile) {
  release();
  profileName_ = profile;
  try {
    bindDevice();
    mediaType_ = openFormat();
  } catch (const DeviceError&) {
    release();
    throw;
  }
}

void DsACapSorce::bindDevice() {
  ComPtr<IEnumMoniker> monikers = openDeviceCategory(com_, CLSCTX_INPROC_SERVER, CLSID_AudioInputDeviceCategory,
                                                     texts::kACapEnumCreateFailed, texts::kACapClassEnumFailed);
  if (monikers) {
    monikers->Reset();
    ComPtr<IMoniker> moniker;
    for (int32_t position = 0; monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK && moniker;
         ++position) {
      if (position != deviceNumber_) continue;
      if (FAILED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                       reinterpret_cast<void**>(filter_.GetAddressOf()))))
        filter_.Reset();
      break;
    }
  }
  if (!filter_) throw DeviceError{texts::kACapNoDevice};
}

std::optional<MediaTypeRecord> DsACapSorce::openFormat() {
  const std::string path = audioProfilePath(programDir_, profileName_);
  if (!tavora::fileExists(path)) {
    MediaTypePtr current = currentFormat(strmCnfPtr());
    if (!current) throw DeviceError{texts::kACapGetFormatFailed};
    return adoptDeviceWaveFormat(toRecord(*current));
  }
  std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(path);
  std::optional<MediaTypeRecord> stored = data ? decodeAudioProfile(*data) : std::nullopt;
  if (!stored) throw DeviceError{texts::kACapProfileUnreadable};
  AM_MEDIA_TYPE type = mediaTypeOver(*stored);
  if (FAILED(strmCnfPtr()->SetFormat(&type))) throw DeviceError{texts::kACapSetFormatFailed};
  return *stored;
}

IAMStreamConfig* DsACapSorce::strmCnfPtr() {
  if (streamConfig_) return streamConfig_.Get();
  ComPtr<IPin> pin;
  switch (findCaptureStreamConfig(filter_.Get(), true, pin, streamConfig_)) {
    case CapturePinSearch::enumPinsFailed:
      throw DeviceError{texts::kACapEnumPinsFailed};
    case CapturePinSearch::notFound:
      throw DeviceError{texts::kVCapCapturePinNotFound};
    case CapturePinSearch::found:
      break;
  }
  return streamConfig_.Get();
}

bool DsACapSorce::chooseFormat(uint64_t window) {
  // Without a wave format there is nothing to start the chooser from.
  if (!getFormatInfo()) return true;
  // The chooser may pick a format larger than the current one: the buffer holds the largest
  // format of any installed driver.
  DWORD largest = 0;
  if (acmMaxFormatSize(largest) != MMSYSERR_NOERROR) largest = 0;
  const size_t size = std::max<size_t>(
      {std::min<size_t>(largest, kMaxFormatBlockSize), mediaType_->format.size(), sizeof(WAVEFORMATEX)});
  std::vector<uint8_t> buffer(size, 0);
  std::memcpy(buffer.data(), mediaType_->format.data(), mediaType_->format.size());
  ACMFORMATCHOOSEA choice{};
  choice.cbStruct = sizeof choice;
  choice.fdwStyle = ACMFORMATCHOOSE_STYLEF_INITTOWFXSTRUCT;
  choice.hwndOwner = windowOf(window);
  choice.pwfx = reinterpret_cast<WAVEFORMATEX*>(buffer.data());
  choice.cbwfx = static_cast<DWORD>(buffer.size());
  choice.fdwEnum = ACM_FORMATENUMF_HARDWARE | ACM_FORMATENUMF_INPUT;
  if (chooseAudioFormat(choice) != MMSYSERR_NOERROR) return true;
  // The device keeps its format; the choice is written by remove and applied by the next create.
  return !takeChosenWaveFormat(*mediaType_, buffer);
}

std::optional<AudioFormatInfo> DsACapSorce::getFormatInfo() {
  if (!mediaType_) return std::nullopt;
  return audioFormatInfo(mediaType_->formattype, mediaType_->format);
}

void DsACapSorce::remove() {
  if (mediaType_ &&
      !tavora::writeFileReplacing(audioProfilePath(programDir_, profileName_), encodeMediaTypeFile(*mediaType_)))
    host_.showErrorDialog(texts::kACapWriteFailed);
  release();
}

void DsACapSorce::deleteData(const std::string& profile) { tavora::removeFile(audioProfilePath(programDir_, profile)); }
