// What the guide's dialog tests share: a scratch folder, files, texts, a seam answering from a list.
#pragma once

#include <windows.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "modal_script.h"
#include "winui/dialogs.h"
#include "winui/text.h"

using Log = std::vector<std::wstring>;

struct AnsweringSeam : winui::DialogSeam {
  AnsweringSeam() { winui::setApplicationTitle(winui::narrow(L"電子番組表")); }  // as the guide's start sets it
  std::deque<int> answers;          // IDOK once they run out
  std::vector<std::wstring> boxes;  // caption|text|flags in hex
  std::vector<HWND> owners;
  int messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) override {
    owners.push_back(owner);
    wchar_t hex[16];
    swprintf(hex, 16, L"%x", flags);
    boxes.push_back(caption + L"|" + text + L"|" + hex);
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    return answers.pop_front(), answer;
  }
};

inline std::wstring scratchFolder(const std::wstring& name) {
  const auto folder = std::filesystem::temp_directory_path() / (L"guideforms_" + name);
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.wstring() + L"\\";
}
inline std::string cp932(const std::wstring& text) { return winui::narrow(text); }
inline std::wstring textOf(HWND window) {
  wchar_t text[512] = {};
  return GetWindowTextW(window, text, 512), text;
}
inline void writeText(const std::wstring& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}
inline std::vector<std::string> readLines(const std::wstring& path) {
  std::ifstream in{std::filesystem::path(path)};
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
