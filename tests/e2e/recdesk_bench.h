// The recorder end to end: a folder of its own holding recdesk.exe, the engine stand-in as
// grabcore.exe, the launch stand-in as planbook.exe, guidepane.exe and wakecall.exe, and the
// installation's timerSetup.dat and command files; recdesk started there, its main window
// found, the logs read.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "enginestub_control.h"

namespace e2e {

class RecdeskBench {
 public:
  // Lays the folder out; withSettings false leaves timerSetup.dat out.
  explicit RecdeskBench(bool withSettings = true);
  ~RecdeskBench();  // ends what still runs, removes the folder
  RecdeskBench(const RecdeskBench&) = delete;
  RecdeskBench& operator=(const RecdeskBench&) = delete;

  const std::wstring& folder() const { return folder_; }
  // Starts one more copy of recdesk.exe; returns its process handle (owned by the bench).
  HANDLE start();
  // Waits for the started copy's TTavora window and the engine stand-in's window.
  bool waitForMainWindow(DWORD timeoutMs = 10000);
  HWND mainWindow() const { return main_; }
  HWND engineWindow() const { return engine_; }
  HANDLE process() const { return processes_.empty() ? nullptr : processes_.front(); }
  // The exit code once the process has ended within the timeout, else nothing.
  bool waitForExit(HANDLE process, DWORD timeoutMs, DWORD* exitCode = nullptr);

  // A visible dialog box of the process, if there is one, and the text it shows.
  HWND findBox(HANDLE process) const;
  // A visible top-level window of the process with this class, if there is one.
  HWND findWindow(HANDLE process, const wchar_t* className) const;
  static std::wstring boxText(HWND box);

  // Writes a file into the folder (replacing one there).
  void writeFile(const std::wstring& name, const std::vector<uint8_t>& bytes) const;

  // The stand-ins' logs, line by line.
  std::vector<std::string> engineLog() const;
  std::vector<std::string> launchLog() const;
  // The boxes the engine showed, in order ("error <text>" for a device error).
  std::vector<std::string> engineBoxes() const;
  // The requests the engine received, in order, without their ids.
  std::vector<std::string> requests() const;
  // The same without the view's own size and picture refits, which activation, moves and
  // resizes queue whenever the window manager raises them.
  std::vector<std::string> requestsWithoutViewSizing() const;
  // Waits until the engine has received a request with this text.
  bool waitForRequest(const std::string& text, DWORD timeoutMs = 10000) const;
  // Posts a menu command as a click comes, while its item is enabled: once the recorder's queue
  // is idle, which the recorder greys the menu for and refuses a posted command for. Call it
  // once what the recorder queued has reached the engine.
  void choose(HWND window, WPARAM item) const;

  // Ends the engine stand-in at once, as a crash would.
  void killEngine();
  // Steers the engine stand-in.
  void holdAcknowledgements();
  void releaseAcknowledgements();
  void enginePosts(unsigned msg, uint64_t wParam, int64_t lParam);
  void engineSends(uint64_t kind, const std::vector<uint8_t>& block);
  // The next `times` device calls of the stand-in whose fake logs an entry starting with call
  // fail with hr, as a driver's would (enginestub::kFail).
  void engineFails(const std::string& call, long hr, int times = 1);
  // The stand-in runs these at once.
  void engineRuns(const enginestub::Actions& actions);
  // From now on the stand-in answers each request with this text by these, in place of the
  // engine's own answer, and acknowledges it (no actions: it answers as the engine again). Windows are named as the engine names them: "form", "mix".
  void onRequest(const std::string& request, const enginestub::Actions& actions);

  // Starts the recorder and opens its TV view as the tray menu's "TV表示" does, once the preview
  // is up ("mark 5"); the view's window, or nothing.
  HWND startWithView();
  // The requests, without the view's sizing, from the mark on.
  void markRequests() { mark_ = requestsWithoutViewSizing().size(); }
  std::vector<std::string> requestsSinceMark() const;
  // Waits until the requests since the mark are exactly these and stay so a moment; got holds
  // what came.
  bool sentSinceMark(const std::vector<std::string>& expected, std::vector<std::string>& got) const;

 private:
  void control(uint32_t kind, const std::vector<uint8_t>& payload);
  LRESULT ask(uint32_t kind) const;  // the stand-in's answer to a question without payload
  std::wstring folder_;
  std::vector<HANDLE> processes_;
  HWND main_ = nullptr;
  HWND engine_ = nullptr;
  size_t mark_ = 0;
};

// Polls until the predicate holds; false after the timeout.
bool pollUntil(const std::function<bool()>& done, DWORD timeoutMs);

}  // namespace e2e
