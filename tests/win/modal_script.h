// Acts on a window shown by a modal loop from inside that loop: a timer of the thread waits until
// the thread shows a window of the class, records its caption and its children's texts, and hands
// it to the step once.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ModalScript {
  static inline std::wstring windowClass;
  static inline std::function<void(HWND)> step;
  static inline std::vector<std::wstring> texts;  // the caption, then the children's texts

  static void arm(std::wstring className, std::function<void(HWND)> action) {
    windowClass = std::move(className);
    step = std::move(action);
    texts.clear();
    SetTimer(nullptr, 0, 20, onTimer);
  }

 private:
  static std::wstring textOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
  }
  static BOOL CALLBACK found(HWND window, LPARAM result) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (windowClass != name || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }
  static BOOL CALLBACK collect(HWND child, LPARAM) {
    texts.push_back(textOf(child));
    return TRUE;
  }
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), found, reinterpret_cast<LPARAM>(&window));
    if (!window) return;
    KillTimer(nullptr, timer);
    texts = {textOf(window)};
    EnumChildWindows(window, collect, 0);
    step(window);
  }
};
