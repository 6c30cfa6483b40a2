// What the guide's dialog tests share: a scratch folder, the dialog seam answering from a list,
// and a step run inside a dialog's modal loop.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "modal_script.h"
#include "winui/dialogs.h"

struct AnsweringSeam : winui::DialogSeam {
  std::deque<int> answers;          // IDOK once they run out
  std::vector<std::wstring> boxes;  // caption|text|flags in hex
  int messageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) override {
    wchar_t hex[16];
    swprintf(hex, 16, L"%x", flags);
    boxes.push_back(caption + L"|" + text + L"|" + hex);
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// A fresh folder under the temporary folder; its path as the programs keep it (Shift-JIS, "\").
std::wstring scratchFolder(const std::wstring& name);
std::string cp932(const std::wstring& text);
std::wstring textOf(HWND window);
void writeBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
std::vector<std::string> readLines(const std::wstring& path);
