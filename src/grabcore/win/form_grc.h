// The engine's hidden main window: its window procedure hands every message to the endpoint.
#pragma once

#include <windows.h>

class lex;

class TFormGRC {
 public:
  explicit TFormGRC(HINSTANCE instance);
  ~TFormGRC();
  TFormGRC(const TFormGRC&) = delete;
  TFormGRC& operator=(const TFormGRC&) = delete;

  HWND handle() const { return window_; }
  // From now on the endpoint sees the window's messages first.
  void attach(lex* engine) { engine_ = engine; }

 private:
  static LRESULT CALLBACK engineWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  lex* engine_ = nullptr;
};
