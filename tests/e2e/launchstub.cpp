// A stand-in for the programs the recorder starts (planbook, guidepane, wakecall): it appends
// its own file name and its arguments to launch.log beside it, and ends.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "harness.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR arguments, int) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, n);
  name = name.substr(name.find_last_of(L'\\') + 1);
  std::wstring line = name + L" " + arguments;
  std::ofstream out(std::filesystem::path(e2e::programFolder() + L"launch.log"), std::ios::app | std::ios::binary);
  out << std::string(line.begin(), line.end()) << "\n";
  return 0;
}
