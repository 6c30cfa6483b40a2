// An enumerator over a fixed list of fake objects (pins, filters, monikers). It holds one
// reference to each item, as a real enumerator does, and lets them go on its final release.
#pragma once

#include <vector>

#include "fake_com.h"

namespace fakes {

template <class IEnum, class IItem>
class FakeEnum : public FakeCom<IEnum> {
 public:
  FakeEnum(ComKit& kit, std::wstring name, std::vector<IItem*> items, size_t position = 0)
      : FakeCom<IEnum>(kit, std::move(name)), items_(std::move(items)), position_(position) {
    for (IItem* item : items_) item->AddRef();
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, IItem** result, ULONG* fetched) override {
    if (fetched) *fetched = 0;
    HRESULT hr = this->record(L"Next", {num(count)});
    if (hr != S_OK) return hr;
    if (!result) return E_POINTER;
    ULONG n = 0;
    while (n < count && position_ < items_.size()) {
      result[n] = items_[position_++];
      result[n]->AddRef();
      ++n;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    HRESULT hr = this->record(L"Skip", {num(count)});
    if (hr != S_OK) return hr;
    position_ += count;
    if (position_ <= items_.size()) return S_OK;
    position_ = items_.size();
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    HRESULT hr = this->record(L"Reset");
    if (hr != S_OK) return hr;
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnum** result) override {
    if (result) *result = nullptr;
    HRESULT hr = this->record(L"Clone");
    if (hr != S_OK) return hr;
    if (!result) return E_POINTER;
    auto* copy = this->kit().template make<FakeEnum>(this->name() + L"+", items_, position_);
    copy->AddRef();
    *result = copy;
    return S_OK;
  }

 protected:
  void onFinalRelease() override {
    for (IItem* item : items_) item->Release();
    items_.clear();
  }

 private:
  std::vector<IItem*> items_;
  size_t position_;
};

}  // namespace fakes
