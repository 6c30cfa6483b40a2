// Plays a user's first steps with a running recdesk.exe, for `./tavora run`:
//   showcase wait    waits until the recorder's main window (and so its tray icon) is there
//   showcase show    chooses "TV表示" from the tray menu, waits until the TV view is up, then a
//                    little for the engine's first box (Wine has no capture card)
//   showcase exit    chooses "Tavora を終了" (again while it is disabled), answers the boxes left
//                    open with OK as a user would (printing their texts), and waits until the
//                    recorder has ended
//   showcase guide-wait   waits until guidepane.exe's main window is up
//   showcase guide-exit   closes it as its close box does and waits until the program has ended
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

// The first shown message box, or null.
HWND visibleBox() {
  for (HWND box = FindWindowW(L"#32770", nullptr); box; box = FindWindowExW(nullptr, box, L"#32770", nullptr))
    if (IsWindowVisible(box)) return box;
  return nullptr;
}

void printBox(HWND box) {
  wchar_t text[1024] = L"";
  HWND label = GetDlgItem(box, 0xFFFF);  // the static text of a message box
  GetWindowTextW(label ? label : box, text, 1024);
  char utf8[4096] = "";
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::printf("box: %s\n", utf8);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring step = argc > 1 ? argv[1] : L"";
  if (step == L"guide-wait" || step == L"guide-exit") {
    HWND guide = waitForWindow(L"TavoraGuideMain", nullptr, 20000, true);
    if (!guide) {
      std::printf("guidepane.exe is not running\n");
      return 1;
    }
    if (step == L"guide-wait") return 0;
    DWORD processId = 0;
    GetWindowThreadProcessId(guide, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageW(guide, WM_CLOSE, 0, 0);
    const DWORD ended = process ? WaitForSingleObject(process, 15000) : WAIT_FAILED;
    if (process) CloseHandle(process);
    return ended == WAIT_OBJECT_0 ? 0 : 1;
  }
  HWND main = waitForWindow(L"TTavora", L"Tavora", 20000, false);
  if (!main) {
    std::printf("recdesk.exe is not running\n");
    return 1;
  }
  if (step == L"wait") return 0;
  if (step == L"show") {
    PostMessageW(main, WM_COMMAND, kTvView, 0);
    if (!waitForWindow(nullptr, L"TV", 20000, true)) {
      std::printf("the TV view did not appear\n");
      return 1;
    }
    for (DWORD waited = 0; waited < 10000; waited += 100) {
      if (visibleBox()) break;
      Sleep(100);
    }
    return 0;
  }
  if (step == L"exit") {
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    DWORD ended = WAIT_TIMEOUT;
    for (DWORD waited = 0; process && ended == WAIT_TIMEOUT && waited < 30000; waited += 100) {
      // The item is disabled while a request waits on the engine (its box holds one): chosen
      // again each second, as a user would once it is enabled.
      if (waited % 1000 == 0) PostMessageW(main, WM_COMMAND, kExit, 0);
      if (HWND box = visibleBox()) {
        printBox(box);
        SendMessageW(box, WM_COMMAND, IDOK, 0);
      }
      ended = WaitForSingleObject(process, 100);
    }
    if (process) CloseHandle(process);
    return ended == WAIT_OBJECT_0 ? 0 : 1;
  }
  std::printf("usage: showcase wait|show|exit|guide-wait|guide-exit\n");
  return 2;
}
