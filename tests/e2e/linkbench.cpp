// Measures one engine request (text, posted request, acknowledgement) for a comment line against
// a bare ping-pong of the same messages between two processes, in the same run.
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/messages.h"
#include "harness.h"

namespace {

constexpr int kRounds = 2000;

// The bare peer: takes the text, answers each posted request with TVR_DONE at once.
HWND g_front = nullptr;

LRESULT CALLBACK echoProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) return 0;
  if (msg == tvr::TVR_EXECONELINE) {
    PostMessageW(g_front, tvr::TVR_DONE, 0, lParam);
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

int runEcho(HWND front) {
  g_front = front;
  WNDCLASSW wc{};
  wc.lpfnWndProc = echoProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TavoraLinkEcho";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  PostMessageW(front, tvr::TVR_ENGINEWND, reinterpret_cast<WPARAM>(window), 0);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  return 0;
}

// Seconds per request over kRounds requests, one in flight at a time.
double measure(e2e::FrontEnd& front) {
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  for (int i = 0; i < kRounds; ++i) {
    int64_t id = front.request(tvr::TVR_EXECONELINE, "# comment");
    if (!front.waitForDone(id, 10000)) return -1;
    front.received.clear();
  }
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - begin.QuadPart) / frequency.QuadPart / kRounds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"--echo")
    return runEcho(reinterpret_cast<HWND>(static_cast<uintptr_t>(_wtoi64(argv[2]))));

  e2e::FrontEnd engineFront;
  if (!engineFront.start() || !engineFront.waitForEngine()) return std::printf("grabcore.exe did not start\n"), 1;

  e2e::FrontEnd echoFront;
  std::wstring self = e2e::programFolder() + L"linkbench.exe";
  std::wstring commandLine =
      L"linkbench --echo " + std::to_wstring(reinterpret_cast<uintptr_t>(echoFront.window()));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION echo{};
  if (!CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, HIGH_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &echo))
    return std::printf("the echo peer did not start\n"), 1;
  if (!echoFront.waitForEngine()) return std::printf("the echo peer did not answer\n"), 1;

  // Warm both paths, then measure them in turn.
  measure(engineFront);
  measure(echoFront);
  double engine = measure(engineFront);
  double bare = measure(echoFront);
  TerminateProcess(echo.hProcess, 0);
  CloseHandle(echo.hProcess);
  CloseHandle(echo.hThread);
  engineFront.request(tvr::TVR_EXECONELINE, "quit");
  engineFront.waitForExit(5000);
  if (engine < 0 || bare <= 0) return std::printf("a request was not acknowledged\n"), 1;

  std::printf("engine request: %.1f us\nbare ping-pong: %.1f us\nratio: %.2f (target: at most 1.50)\n",
              engine * 1e6, bare * 1e6, engine / bare);
  return 0;
}
