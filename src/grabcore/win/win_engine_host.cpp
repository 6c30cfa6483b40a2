#include "win_engine_host.h"

#include "common/fileio.h"
#include "grabcore/texts/engine_texts.h"
#include "winui/dialogs.h"
#include "winui/pump.h"

void WinEngineHost::postToFront(unsigned msg, uint64_t wParam, int64_t lParam) {
  PostMessageW(frontWnd, msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

void WinEngineHost::sendCopyDataToFront(uint32_t kind, const std::vector<uint8_t>& block) {
  COPYDATASTRUCT data{kind, static_cast<DWORD>(block.size()), const_cast<uint8_t*>(block.data())};
  SendMessageW(frontWnd, WM_COPYDATA, reinterpret_cast<WPARAM>(engineWnd), reinterpret_cast<LPARAM>(&data));
}

void WinEngineHost::postToWindow(uint64_t window, unsigned msg, uint64_t wParam, int64_t lParam) {
  PostMessageW(reinterpret_cast<HWND>(static_cast<uintptr_t>(window)), msg, static_cast<WPARAM>(wParam),
               static_cast<LPARAM>(lParam));
}

void WinEngineHost::showErrorDialog(const std::string& text) {
  winui::messageBox(engineWnd, text, texts::kErrorDialogCaption, MB_OK | MB_ICONERROR);
}

void WinEngineHost::showFrameworkError(const std::string& text) {
  winui::messageBox(engineWnd, text, MB_OK | MB_ICONERROR);
}

void WinEngineHost::showMessage(const std::string& text) {
  winui::messageBox(engineWnd, text, MB_OK);
}

void WinEngineHost::showForeignSenderBox() {
  winui::messageBoxDefaultCaption(nullptr, texts::kForeignSender, MB_OK);
}

void WinEngineHost::processMessages() { winui::processMessages(); }

std::optional<std::vector<std::string>> WinEngineHost::readCommandFile(const std::string& path) {
  std::optional<std::vector<uint8_t>> data = tavora::readWholeFile(path);
  if (!data) return std::nullopt;
  return tavora::splitLines(*data);
}

void WinEngineHost::shutdownWindows() {
  // Switching the PC off needs the shutdown right in the process token.
  HANDLE token = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
      AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
  }
  ExitWindowsEx(EWX_SHUTDOWN, 0);
}

void WinEngineHost::terminate() { PostQuitMessage(0); }
