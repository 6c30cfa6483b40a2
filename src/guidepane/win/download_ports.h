// The download queue's Windows ports: the WinINet transfer, the files, and the calls the workers
// make into the user-interface thread.
#pragma once

#include <windows.h>

#include <memory>

#include "guidepane/core/dl_ctrl.h"

namespace guide {

constexpr UINT DL_THREAD_DONE = WM_USER + 1;

std::unique_ptr<HttpTransfer> newWinInetTransfer();
DownloadFiles windowsDownloadFiles();

// Runs workers' calls on the thread that built it, through a hidden message window; once the
// window is gone a call is dropped. Build and destroy it on the user-interface thread.
class UiCallWindow {
 public:
  UiCallWindow();
  ~UiCallWindow();
  UiCallWindow(const UiCallWindow&) = delete;
  UiCallWindow& operator=(const UiCallWindow&) = delete;
  void call(const std::function<void()>& f) const;

 private:
  HWND hwnd_ = nullptr;
};

// The ports for a queue reporting to dialog; calls must not outlive calls.
DownloadPorts windowsDownloadPorts(const UiCallWindow& calls, HWND dialog);

}  // namespace guide
