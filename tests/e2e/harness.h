// A stand-in front end for the engine: starts grabcore.exe with its window handle exactly as the
// recorder does, sends requests the way the recorder frames them, records everything that comes
// back in order, and finds, reads and answers the engine's message boxes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct Received {
  unsigned msg = 0;  // WM_COPYDATA for a block
  uint64_t wParam = 0;
  int64_t lParam = 0;
  uint64_t kind = 0;           // dwData of a block
  std::vector<uint8_t> block;  // copied before the send returns
};

struct Box {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
};

// The folder of the running program, with its "\": the test programs and stand-ins of the build.
std::wstring programFolder();
// The folder the build lays the product's programs and data into, with its "\".
std::wstring productFolder();
// This test program's own folder for the engine, with its "\": laid out on first use with
// grabcore.exe and its command files from the product; what the engine writes stays there.
std::wstring engineFolder();
// The local time as the programs keep it: days since 30 December 1899.
double localNow();

class FrontEnd {
 public:
  FrontEnd();
  ~FrontEnd();
  FrontEnd(const FrontEnd&) = delete;
  FrontEnd& operator=(const FrontEnd&) = delete;

  // Starts the engine with this window's handle (or with the given command-line tail).
  bool start();
  bool startWithArguments(const std::wstring& arguments);
  // Waits for TVR_ENGINEWND; false after the timeout.
  bool waitForEngine(DWORD timeoutMs = 10000);

  HWND window() const { return window_; }
  HWND engine() const { return engine_; }
  DWORD processId() const { return process_.dwProcessId; }

  // The request framing: WM_COPYDATA with the id and the text, then the posted message.
  int64_t request(unsigned msg, const std::string& text, uint64_t value = 0);
  void sendText(int64_t id, const std::string& text, HWND sender = nullptr);
  void postRequest(unsigned msg, uint64_t value, int64_t id);

  // Pumps this thread's messages until the predicate holds or the timeout passes.
  bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
  bool waitForDone(int64_t id, DWORD timeoutMs = 10000);
  // Waits for the acknowledgement or for a box of the engine, whichever comes first. The engine
  // shows its boxes before it acknowledges, so a request acknowledged with no box showed none.
  // Answers "" then, else what came instead.
  std::wstring waitForDoneWithoutBox(int64_t id, DWORD timeoutMs = 10000);
  // The next visible message box of the engine process.
  std::optional<Box> waitForBox(DWORD timeoutMs = 10000);
  // Presses a box's button (IDOK by default) and waits until the box is gone.
  bool press(const Box& box, int button = IDOK);
  bool waitForExit(DWORD timeoutMs = 10000);
  // Ends the engine at once.
  void kill();

  // What came back, in order of arrival.
  std::vector<Received> received;
  // The messages (numbers) that came back, in order, without WM_COPYDATA blocks.
  std::vector<unsigned> messages() const;
  size_t count(unsigned msg) const;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  bool acknowledged(int64_t id) const;
  std::optional<Box> visibleBox() const;
  HWND window_ = nullptr;
  HWND engine_ = nullptr;
  std::wstring className_;
  PROCESS_INFORMATION process_{};
  int64_t nextId_ = 1;
};

// Writes a command file into the engine's script folder and deletes it again on destruction.
class ScriptFile {
 public:
  ScriptFile(const std::string& name, const std::vector<std::string>& lines);
  ~ScriptFile();
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  std::wstring path_;
};

// A name unique to this process, for command files and window classes.
std::string uniqueName(const std::string& stem);

}  // namespace e2e
