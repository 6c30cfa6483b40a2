// A stand-in planbook: a window "TForm1" captioned "番組の予約" logging each WM_COPYDATA to planbook.log
// as "<wParam> <dwData> <hex>"; it can stop answering (see the control header); planbook.nowindow ends it.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "harness.h"
#include "planbookstub_control.h"

namespace {

DWORD g_slowBlock = 0;

LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) {
    Sleep(std::exchange(g_slowBlock, 0));
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    char part[40];
    std::snprintf(part, sizeof part, "%llu %llu ", static_cast<unsigned long long>(wParam),
                  static_cast<unsigned long long>(data->dwData));
    std::string line = part;
    for (DWORD i = 0; i < data->cbData; ++i, line += part)
      std::snprintf(part, sizeof part, "%02x", static_cast<const unsigned char*>(data->lpData)[i]);
    std::ofstream(std::filesystem::path(e2e::programFolder() + L"planbook.log"), std::ios::app) << line << "\n";
    return TRUE;
  }
  if (msg == planbookstub::kStopAnswering) {
    if (lParam) g_slowBlock = static_cast<DWORD>(wParam);
    else Sleep(static_cast<DWORD>(wParam));
    return 0;
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  if (std::filesystem::exists(std::filesystem::path(e2e::programFolder() + L"planbook.nowindow"))) return 3;
  const WNDCLASSW wc{0, windowProc, 0, 0, instance, nullptr, nullptr, nullptr, nullptr, L"TForm1"};
  RegisterClassW(&wc);
  if (!CreateWindowExW(0, L"TForm1", L"番組の予約", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, instance,
                       nullptr))
    return 2;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
