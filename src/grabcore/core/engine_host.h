// What the engine's portable logic needs of the platform. The Windows program wires it to
// real windows and dialogs; tests wire a recording fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class EngineHost {
 public:
  virtual ~EngineHost() = default;

  // Replies to the front end's window.
  virtual void postToFront(unsigned msg, uint64_t wParam, int64_t lParam) = 0;
  virtual void sendCopyDataToFront(uint32_t kind, const std::vector<uint8_t>& block) = 0;
  // Posts to another window named by the front end (the mixer's callback window).
  virtual void postToWindow(uint64_t window, unsigned msg, uint64_t wParam, int64_t lParam) = 0;

  // The modal error dialog of device errors (error icon, one OK button).
  virtual void showErrorDialog(const std::string& text) = 0;
  // The application's box for errors of the language itself (missing file, bad number).
  virtual void showFrameworkError(const std::string& text) = 0;
  // A plain modal message box with the application's caption.
  virtual void showMessage(const std::string& text) = 0;
  // The box for a WM_COPYDATA from a window other than the front end.
  virtual void showForeignSenderBox() = 0;

  // Lets the application process pending messages (after each command-file line).
  virtual void processMessages() = 0;
  // The lines of a command file, or nothing when it cannot be opened.
  virtual std::optional<std::vector<std::string>> readCommandFile(const std::string& path) = 0;
  // Switches the PC off; never let through by a test.
  virtual void shutdownWindows() = 0;
  // Ends the engine once control is back in its message loop.
  virtual void terminate() = 0;
  virtual void trace(const std::string& text) = 0;
};
