// The named mutex that lets one copy of a program run at a time: held from the start of the
// program to its end.
#pragma once

#include <windows.h>

namespace winui {

class SingleInstance {
 public:
  explicit SingleInstance(const wchar_t* name) {
    if (HANDLE other = OpenMutexW(SYNCHRONIZE, FALSE, name)) {
      CloseHandle(other);
      another_ = true;
      return;
    }
    mutex_ = CreateMutexW(nullptr, TRUE, name);
    // Another copy may have made it since the look: then that one runs.
    another_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
  }
  ~SingleInstance() {
    if (mutex_) {
      ReleaseMutex(mutex_);
      CloseHandle(mutex_);
    }
  }
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another copy holds the name: this one ends at once.
  bool first() const { return !another_; }

 private:
  HANDLE mutex_ = nullptr;
  bool another_ = false;
};

}  // namespace winui
