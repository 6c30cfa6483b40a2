// How a test steers the engine stand-in: WM_COPYDATA blocks to its window with these kinds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace enginestub {

constexpr uint32_t kHold = 0x7A5E0001;     // keep acknowledgements back from now on
constexpr uint32_t kRelease = 0x7A5E0002;  // send the held ones, and acknowledge again
// Payload: Actions::script: from now on each request with exactly that text runs the actions
// in place of the engine's own answer, then is acknowledged. A later script for the same text
// replaces it; one with no actions drops it.
constexpr uint32_t kScript = 0x7A5E0006;
constexpr uint32_t kRun = 0x7A5E0007;  // payload: Actions, run at once
// Payload: "<HRESULT in hex> <times, negative for all> <call>": the next calls of the devices'
// fakes whose log entry starts with <call> fail with that result, as a driver's would (the
// capture that cannot start: "cap.ControlStream(PIN_CATEGORY_CAPTURE, null, null, null,").
constexpr uint32_t kFail = 0x7A5E0008;
// Answers (as the block's result) how many requests the front has sent that the stand-in has not
// acknowledged yet: their text arrived, or they run, or their acknowledgement is held.
constexpr uint32_t kUnanswered = 0x7A5E0009;

// The log beside the stand-in: "start <arguments>", then "<id> <text>" for each request, and
// "engine <box>" for each box the engine would show.
constexpr const wchar_t* kLogName = L"engine.log";
// Beside it, the local time each request arrived: "<days since 30 December 1899> <id>".
constexpr const wchar_t* kTimesName = L"engine.times";

// What the stand-in does, in order, one line each: "post <window> <message> <wParam> <lParam>"
// or "send <kind> <bytes in hex>" (a WM_COPYDATA block to the front). A window is named as the
// engine names it: "-" is the front, any other name a named number the front has sent ("form")
// or an object made with "<object> create <name>" from one ("mix"), as the engine's objects
// keep the window they were made with. A script's payload is the request text, a line feed,
// then the actions.
class Actions {
 public:
  Actions& post(const std::string& window, uint64_t msg, uint64_t wParam, int64_t lParam) {
    text_ += "post " + (window.empty() ? "-" : window) + " " + std::to_string(msg) + " " + std::to_string(wParam) +
             " " + std::to_string(lParam) + "\n";
    return *this;
  }
  Actions& send(uint64_t kind, const std::vector<uint8_t>& block) {
    text_ += "send " + std::to_string(kind) + " ";
    for (uint8_t b : block) text_ += "0123456789abcdef"[b >> 4], text_ += "0123456789abcdef"[b & 15];
    text_ += "\n";
    return *this;
  }
  std::vector<uint8_t> bytes() const { return {text_.begin(), text_.end()}; }
  std::vector<uint8_t> script(const std::string& request) const {
    const std::string all = request + "\n" + text_;
    return {all.begin(), all.end()};
  }

 private:
  std::string text_;
};

}  // namespace enginestub
