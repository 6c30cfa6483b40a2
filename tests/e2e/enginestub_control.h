// How a test steers the engine stand-in: WM_COPYDATA blocks to its window with these kinds.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace enginestub {

constexpr uint32_t kHold = 0x7A5E0001;     // keep acknowledgements back from now on
constexpr uint32_t kRelease = 0x7A5E0002;  // send the held ones, and acknowledge again
constexpr uint32_t kEchoMarks = 0x7A5E0005;  // from now on answer "mark n" with TVR_MARK n, as the engine does
// Payload: a text, then Actions: from now on each request with exactly that text runs the
// actions before its acknowledgement. A later script for the same text replaces it; one with
// no actions drops it.
constexpr uint32_t kScript = 0x7A5E0006;
constexpr uint32_t kRun = 0x7A5E0007;  // payload: Actions, run at once

// The log beside the stand-in: "start <arguments>", then "<id> <text>" for each request.
constexpr const wchar_t* kLogName = L"engine.log";
// Beside it, the local time each request arrived: "<days since 30 December 1899> <id>".
constexpr const wchar_t* kTimesName = L"engine.times";

// A list of what the stand-in does, in order. A window is named as the engine names it: ""
// is the front, any other name is a named number the front has sent ("form"), or an object
// the engine made with "<object> create <name>" from one ("mix"), as the engine's objects keep
// the window they were made with.
class Actions {
 public:
  static constexpr uint32_t kPostTo = 1;
  static constexpr uint32_t kSendBlock = 2;

  Actions& post(const std::string& window, uint64_t msg, uint64_t wParam, int64_t lParam) {
    word32(kPostTo);
    text(window);
    word64(msg);
    word64(wParam);
    word64(static_cast<uint64_t>(lParam));
    return *this;
  }
  // A WM_COPYDATA block of this kind to the front.
  Actions& send(uint64_t kind, const std::vector<uint8_t>& block) {
    word32(kSendBlock);
    word64(kind);
    word32(static_cast<uint32_t>(block.size()));
    bytes_.insert(bytes_.end(), block.begin(), block.end());
    return *this;
  }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

  // A script's payload: the request text, then the actions.
  static std::vector<uint8_t> script(const std::string& request, const Actions& actions) {
    Actions out;
    out.text(request);
    out.bytes_.insert(out.bytes_.end(), actions.bytes_.begin(), actions.bytes_.end());
    return out.bytes_;
  }

 private:
  void word32(uint32_t v) { raw(&v, sizeof v); }
  void word64(uint64_t v) { raw(&v, sizeof v); }
  void text(const std::string& s) {
    word32(static_cast<uint32_t>(s.size()));
    raw(s.data(), s.size());
  }
  void raw(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    bytes_.insert(bytes_.end(), b, b + n);
  }
  std::vector<uint8_t> bytes_;
};

// Reads what Actions wrote; every read checks the bytes left.
class Reader {
 public:
  Reader(const uint8_t* p, size_t n) : p_(p), left_(n) {}
  bool done() const { return left_ == 0; }
  bool word32(uint32_t& v) { return raw(&v, sizeof v); }
  bool word64(uint64_t& v) { return raw(&v, sizeof v); }
  bool text(std::string& s) {
    uint32_t n = 0;
    if (!word32(n) || n > left_) return false;
    s.assign(reinterpret_cast<const char*>(p_), n);
    p_ += n;
    left_ -= n;
    return true;
  }
  bool block(std::vector<uint8_t>& b) {
    uint32_t n = 0;
    if (!word32(n) || n > left_) return false;
    b.assign(p_, p_ + n);
    p_ += n;
    left_ -= n;
    return true;
  }

 private:
  bool raw(void* v, size_t n) {
    if (n > left_) return false;
    std::memcpy(v, p_, n);
    p_ += n;
    left_ -= n;
    return true;
  }
  const uint8_t* p_;
  size_t left_;
};

}  // namespace enginestub
