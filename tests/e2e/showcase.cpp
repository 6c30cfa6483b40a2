// Plays a user's first steps with a running recdesk.exe, for `./tavora run`:
//   showcase show    chooses "TV表示" from the tray menu and waits until the TV view is up
//   showcase exit    chooses "Tavora を終了" and waits until the recorder has ended
// The menu items are posted as commands to the recorder's hidden main window, as the tray menu
// sends them.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The tray menu's command ids.
constexpr WPARAM kTvView = 1;
constexpr WPARAM kExit = 7;

HWND waitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs, bool visible) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
    HWND window = FindWindowW(className, caption);
    if (window && (!visible || IsWindowVisible(window))) return window;
    Sleep(100);
  }
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring step = argc > 1 ? argv[1] : L"";
  HWND main = waitForWindow(L"TTavora", L"Tavora", 20000, false);
  if (!main) {
    std::printf("recdesk.exe is not running\n");
    return 1;
  }
  if (step == L"show") {
    PostMessageW(main, WM_COMMAND, kTvView, 0);
    if (!waitForWindow(nullptr, L"TV", 20000, true)) {
      std::printf("the TV view did not appear\n");
      return 1;
    }
    return 0;
  }
  if (step == L"exit") {
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageW(main, WM_COMMAND, kExit, 0);
    DWORD waited = process ? WaitForSingleObject(process, 20000) : WAIT_FAILED;
    if (process) CloseHandle(process);
    return waited == WAIT_OBJECT_0 ? 0 : 1;
  }
  std::printf("usage: showcase show|exit\n");
  return 2;
}
