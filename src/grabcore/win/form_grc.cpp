#include "form_grc.h"

#include "grabcore/core/lex.h"
#include "winui/window_object.h"

namespace {
const wchar_t kClassName[] = L"TFormGRC";
}

TFormGRC::TFormGRC(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = engineWndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);
  window_ = CreateWindowExW(0, kClassName, L"FormGRC", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100,
                            nullptr, nullptr, instance, this);
}

TFormGRC::~TFormGRC() {
  if (!window_) return;
  // Destroyed by its owner, not from outside: no quit message that would close a box still to come.
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK TFormGRC::engineWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* form = winui::windowObject<TFormGRC>(window, msg, lParam);
  if (form && msg == WM_DESTROY) {
    // The engine lives as long as its window: the message loop ends and the usual clean-up runs.
    form->window_ = nullptr;
    PostQuitMessage(0);
  }
  if (form && form->engine_) {
    if (msg == WM_COPYDATA) {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      CopyDataBlock block;
      if (data) block = {data->dwData, data->lpData, data->cbData};
      form->engine_->onMessage(msg, static_cast<uint64_t>(wParam), 0, data ? &block : nullptr);
      return 0;
    }
    if (form->engine_->onMessage(msg, static_cast<uint64_t>(wParam), static_cast<int64_t>(lParam)) == 0) return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}
