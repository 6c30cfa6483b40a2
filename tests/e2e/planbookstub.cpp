// A stand-in for planbook: a window of class "TForm1" captioned "番組の予約" that appends each
// WM_COPYDATA it receives to planbook.log beside it, as "<wParam> <dwData> <block in hex>".
// Told so, it stops answering for a while, at once or on the next block (kStopAnswering); with a file
// planbook.nowindow beside it, it ends without a window.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "harness.h"

#include "planbookstub_control.h"

namespace {

DWORD g_slowBlock = 0;

LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COPYDATA: {
      Sleep(g_slowBlock);
      g_slowBlock = 0;
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      std::string line;
      char part[32];
      std::snprintf(part, sizeof part, "%llx %llu", static_cast<unsigned long long>(wParam),
                    static_cast<unsigned long long>(data->dwData));
      line = part;
      for (DWORD i = 0; i < data->cbData; ++i) {
        std::snprintf(part, sizeof part, i ? "%02x" : " %02x", static_cast<const unsigned char*>(data->lpData)[i]);
        line += part;
      }
      std::ofstream out(std::filesystem::path(e2e::programFolder() + L"planbook.log"),
                        std::ios::app | std::ios::binary);
      out << line << "\n";
      return TRUE;
    }
    case planbookstub::kStopAnswering:
      if (lParam) g_slowBlock = static_cast<DWORD>(wParam);
      else Sleep(static_cast<DWORD>(wParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  if (std::filesystem::exists(std::filesystem::path(e2e::programFolder() + L"planbook.nowindow"))) return 3;
  WNDCLASSW wc{};
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"TForm1";
  RegisterClassW(&wc);
  if (!CreateWindowExW(0, L"TForm1", L"番組の予約", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, instance,
                       nullptr))
    return 2;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
