#include "forms_fixture.h"

#include <filesystem>
#include <fstream>

#include "winui/text.h"

std::wstring scratchFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::filesystem::path folder = std::filesystem::path(temp) / (L"guideforms_" + std::to_wstring(GetCurrentProcessId())) / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.wstring() + L"\\";
}

std::string cp932(const std::wstring& text) { return winui::narrow(text); }

std::wstring textOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

void writeBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> readLines(const std::wstring& path) {
  std::ifstream in{std::filesystem::path(path)};
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
