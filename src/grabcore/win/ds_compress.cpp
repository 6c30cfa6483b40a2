#include "ds_compress.h"

#include <optional>

#include "common/fileio.h"
#include "common/messages.h"
#include "dialog_owner.h"
#include "filter_lookup.h"
#include "grabcore/core/errors.h"
#include "grabcore/core/vcompress_file.h"
#include "grabcore/texts/compress_texts.h"

using Microsoft::WRL::ComPtr;

namespace {

// The failure texts of one walk over the category.
struct WalkTexts {
  const char* createFailed;
  const char* categoryFailed;
  const char* storageFailed;
};

constexpr WalkTexts kListTexts{texts::kCompEnumCreateFailed, texts::kCompEnumClassFailed,
                               texts::kCompEnumStorageFailed};
constexpr WalkTexts kCreateTexts{texts::kCompCreateEnumFailed, texts::kCompCreateClassFailed,
                                 texts::kCompCreateStorageFailed};

// Calls visit(moniker, name) for each installed video compressor in the category's order until
// it answers false; name is none when the property bag holds no readable FriendlyName. An
// empty category visits nothing.
template <class Visit>
void walkCompressors(ComFactory& com, const WalkTexts& failures, Visit visit) {
  ComPtr<IEnumMoniker> monikers = openDeviceCategory(com, CLSCTX_INPROC, CLSID_VideoCompressorCategory,
                                                     failures.createFailed, failures.categoryFailed);
  if (!monikers) return;
  ComPtr<IMoniker> moniker;
  while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK && moniker) {
    ComPtr<IPropertyBag> bag;
    if (FAILED(
            moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(bag.GetAddressOf()))) ||
        !bag)
      throw DeviceError{failures.storageFailed};
    if (!visit(moniker.Get(), bagFriendlyName(bag.Get()))) return;
  }
}

}  // namespace

DsCompress::DsCompress(EngineHost& host, ComFactory& com, std::string programDir)
    : host_(host), com_(com), programDir_(std::move(programDir)) {}

void DsCompress::release() {
  dialogs_.Reset();
  filter_.Reset();
  state_.clear();
  friendlyName_.clear();
  opened_ = false;
}

void DsCompress::open(const std::string& profile) {
  release();
  profileName_ = profile;
  const std::string path = vcompressProfilePath(programDir_, profile);
  if (tavora::fileExists(path)) {
    std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(path);
    std::optional<VCompressProfile> stored = data ? decodeVCompressFile(*data) : std::nullopt;
    if (!stored) throw DeviceError{texts::kCompProfileUnreadable};
    // The state waits for setCmpState or the dialog.
    if (stored->friendlyName) {
      filter_ = create(*stored->friendlyName);
      friendlyName_ = *stored->friendlyName;
      state_ = std::move(stored->state);
    }
  }
  opened_ = true;
}

ComPtr<IBaseFilter> DsCompress::create(const std::string& name) {
  ComPtr<IBaseFilter> bound;
  walkCompressors(com_, kCreateTexts, [&](IMoniker* moniker, const std::optional<std::string>& found) {
    if (found != name) return true;
    if (FAILED(
            moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(bound.GetAddressOf()))) ||
        !bound)
      throw DeviceError{texts::kCompCreateBindFailed};
    return false;
  });
  if (!bound) throw DeviceError{texts::kCompNotFound};
  return bound;
}

int32_t DsCompress::enumCompNames(int kind) {
  std::vector<std::string> names;
  walkCompressors(com_, kListTexts, [&](IMoniker* moniker, const std::optional<std::string>& found) {
    const std::string name = found.value_or(std::string());
    if (kind == kCompListWithDialogs) {
      ComPtr<IBaseFilter> filter;
      ComPtr<IAMVfwCompressDialogs> configurable;
      if (FAILED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                       reinterpret_cast<void**>(filter.GetAddressOf()))) ||
          !filter ||
          FAILED(filter->QueryInterface(IID_IAMVfwCompressDialogs,
                                        reinterpret_cast<void**>(configurable.GetAddressOf()))) ||
          !configurable || name.empty())
        return true;
    }
    names.push_back(name);
    return true;
  });
  host_.sendCopyDataToFront(tvr::CD_COMPNAMES, encodeCompNames(names));
  return friendlyName_.empty() ? -1 : compNameIndex(names, friendlyName_);
}

void DsCompress::select(const std::string& name) {
  if (name == friendlyName_) return;
  // The new compressor is bound before the current one is let go: when it cannot be had, the
  // profile keeps the compressor and state it had.
  ComPtr<IBaseFilter> bound = create(name);
  dialogs_.Reset();
  filter_ = std::move(bound);
  state_.clear();
  friendlyName_ = name;
}

IAMVfwCompressDialogs* DsCompress::dialogs() {
  if (!dialogs_ &&
      (FAILED(filter_->QueryInterface(IID_IAMVfwCompressDialogs, reinterpret_cast<void**>(dialogs_.GetAddressOf()))) ||
       !dialogs_)) {
    dialogs_.Reset();
    throw DeviceError{texts::kCompNoDialogs};
  }
  return dialogs_.Get();
}

void DsCompress::showDialog(int kind, uint64_t window) {
  if (!filter_) return;
  IAMVfwCompressDialogs* compressor = dialogs();
  const HWND owner = windowOf(window);
  // The query form answers S_FALSE for a dialog the compressor does not have.
  if (compressor->ShowDialog(kind << 2, owner) != S_OK) {
    host_.showErrorDialog(texts::kCompUnsupportedDialog);
  } else {
    setCmpState();
    compressor->ShowDialog(kind, owner);
  }
  getCmpState();
}

void DsCompress::getCmpState() {
  IAMVfwCompressDialogs* compressor = dialogs();
  int size = 0;
  // A state larger than a profile file may hold counts as a failed answer.
  if (FAILED(compressor->GetState(nullptr, &size)) || size > kMaxCompressorStateSize)
    throw DeviceError{texts::kCompGetStateSizeFailed};
  if (size <= 0) {
    state_.clear();
    return;
  }
  std::vector<uint8_t> state(static_cast<size_t>(size), 0);
  int filled = size;
  // A failed read keeps the state that was known good rather than a block of zeros.
  if (FAILED(compressor->GetState(state.data(), &filled))) throw DeviceError{texts::kCompGetStateFailed};
  if (filled >= 0 && filled < size) state.resize(static_cast<size_t>(filled));
  state_ = std::move(state);
}

void DsCompress::setCmpState() {
  if (state_.empty() || !filter_) return;
  if (FAILED(dialogs()->SetState(state_.data(), static_cast<int>(state_.size()))))
    throw DeviceError{texts::kCompSetStateFailed};
}

void DsCompress::remove() {
  if (opened_) {
    VCompressProfile profile;
    if (!friendlyName_.empty()) profile.friendlyName = friendlyName_;
    profile.state = state_;
    // Shown only: the undo list goes on and the compressor is let go all the same.
    if (!tavora::writeFileReplacing(vcompressProfilePath(programDir_, profileName_), encodeVCompressFile(profile)))
      host_.showErrorDialog(texts::kCompWriteFailed);
  }
  release();
}

void DsCompress::deleteData(const std::string& profile) {
  tavora::removeFile(vcompressProfilePath(programDir_, profile));
}
