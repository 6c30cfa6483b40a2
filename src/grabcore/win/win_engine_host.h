// The engine's platform: replies to the front end's window, dialogs, message pump, shutdown.
#pragma once

#include <windows.h>

#include "grabcore/core/engine_host.h"

class WinEngineHost : public EngineHost {
 public:
  HWND frontWnd = nullptr;
  HWND engineWnd = nullptr;

  void postToFront(unsigned msg, uint64_t wParam, int64_t lParam) override;
  void sendCopyDataToFront(uint32_t kind, const std::vector<uint8_t>& block) override;
  void postToWindow(uint64_t window, unsigned msg, uint64_t wParam, int64_t lParam) override;
  void showErrorDialog(const std::string& text) override;
  void showFrameworkError(const std::string& text) override;
  void showMessage(const std::string& text) override;
  void showForeignSenderBox() override;
  void processMessages() override;
  std::optional<std::vector<std::string>> readCommandFile(const std::string& path) override;
  void shutdownWindows() override;
  void terminate() override;
  void trace(const std::string&) override {}
};
