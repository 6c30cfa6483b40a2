#include "fake_compressor.h"

#include <algorithm>
#include <cstring>

namespace fakes {

HRESULT FakeCompressDialogs::ShowDialog(int dialog, HWND owner) {
  HRESULT hr = record(L"ShowDialog", {num(dialog), num(reinterpret_cast<intptr_t>(owner))});
  if (hr != S_OK) return hr;
  if (dialog == VfwCompressDialog_QueryConfig) return hasConfig ? S_OK : S_FALSE;
  if (dialog == VfwCompressDialog_Config && !afterDialog.empty()) state = afterDialog;
  return S_OK;
}

HRESULT FakeCompressDialogs::GetState(LPVOID data, int* size) {
  HRESULT hr = record(L"GetState", {out(data), size ? num(*size) : L"null"});
  if (hr != S_OK) return hr;
  if (!size) return E_POINTER;
  if (!data) {
    *size = static_cast<int>(state.size());
    return S_OK;
  }
  const int n = std::min(*size, static_cast<int>(state.size()));
  std::memcpy(data, state.data(), static_cast<size_t>(std::max(n, 0)));
  *size = n;
  return S_OK;
}

HRESULT FakeCompressDialogs::SetState(LPVOID data, int size) {
  const BYTE* bytes = static_cast<const BYTE*>(data);
  HRESULT hr = record(L"SetState", {num(size), bytes && size > 0 ? num(bytes[0]) : L"null"});
  if (hr != S_OK) return hr;
  if (!data || size < 0) return E_POINTER;
  state.assign(bytes, bytes + size);
  return S_OK;
}

MMRESULT FakeFormatChooser::maxFormatSize(DWORD& size) {
  if (kit_.record(L"acm.acmMetrics(ACM_METRIC_MAX_SIZE_FORMAT)") != S_OK) return MMSYSERR_ERROR;
  size = largest;
  return MMSYSERR_NOERROR;
}

MMRESULT FakeFormatChooser::choose(ACMFORMATCHOOSEA& choice) {
  const HRESULT hr = kit_.record(L"acm.acmFormatChooseA(" + num(choice.cbStruct) + L", " + num(choice.fdwStyle) +
                                 L", " + num(reinterpret_cast<intptr_t>(choice.hwndOwner)) + L", " + num(choice.cbwfx) +
                                 L", " + num(choice.fdwEnum) + L")");
  const BYTE* buffer = reinterpret_cast<const BYTE*>(choice.pwfx);
  shownWith.assign(buffer, buffer + choice.cbwfx);
  if (hr != S_OK) return ACMERR_CANCELED;
  if (!chosen.empty()) std::memcpy(choice.pwfx, chosen.data(), std::min<size_t>(chosen.size(), choice.cbwfx));
  return MMSYSERR_NOERROR;
}

}  // namespace fakes
