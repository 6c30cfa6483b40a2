// The recording engine host of the interpreter tests, native and under Wine: every reply and
// dialog becomes one entry of replies, in order, as Text. The native tests keep the engine's
// Shift-JIS bytes (std::string); the Windows tests read them as a person does (std::wstring).
//   "post <msg> <wParam> <lParam>", "postto <window> <msg> <wParam> <lParam>",
//   "copydata <kind> <size>", "error <text>", "framework <text>", "message <text>", "foreign",
//   "shutdown", "terminate", and "pump" where pumps are recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "grabcore/core/engine_host.h"

template <class Text>
class BasicRecordingHost : public EngineHost {
 public:
  // Shift-JIS text of a dialog as a Text.
  using Convert = Text (*)(const std::string&);
  BasicRecordingHost(Convert convert, bool recordPumps) : convert_(convert), recordPumps_(recordPumps) {}

  std::vector<Text> replies;
  std::vector<std::vector<uint8_t>> copyData;  // the blocks, in order
  std::map<std::string, std::vector<std::string>> commandFiles;
  // Runs inside processMessages, once (messages arriving through the pump).
  std::vector<std::function<void()>> onPump;

  void postToFront(unsigned msg, uint64_t wParam, int64_t lParam) override {
    record("post", {msg, wParam, static_cast<uint64_t>(lParam)});
  }
  void sendCopyDataToFront(uint32_t kind, const std::vector<uint8_t>& block) override {
    record("copydata", {kind, block.size()});
    copyData.push_back(block);
  }
  void postToWindow(uint64_t window, unsigned msg, uint64_t wParam, int64_t lParam) override {
    record("postto", {window, msg, wParam, static_cast<uint64_t>(lParam)});
  }
  void showErrorDialog(const std::string& text) override { replies.push_back(ascii("error ") + convert_(text)); }
  void showFrameworkError(const std::string& text) override {
    replies.push_back(ascii("framework ") + convert_(text));
  }
  void showMessage(const std::string& text) override { replies.push_back(ascii("message ") + convert_(text)); }
  void showForeignSenderBox() override { replies.push_back(ascii("foreign")); }
  void processMessages() override {
    if (recordPumps_) replies.push_back(ascii("pump"));
    auto pending = std::move(onPump);
    onPump.clear();
    for (auto& step : pending) step();
  }
  std::optional<std::vector<std::string>> readCommandFile(const std::string& path) override {
    auto it = commandFiles.find(path);
    if (it == commandFiles.end()) return std::nullopt;
    return it->second;
  }
  void shutdownWindows() override { replies.push_back(ascii("shutdown")); }
  void terminate() override { replies.push_back(ascii("terminate")); }
  void trace(const std::string&) override {}

  // The replies that start with prefix.
  std::vector<Text> only(const Text& prefix) const {
    std::vector<Text> result;
    for (const Text& reply : replies)
      if (reply.compare(0, prefix.size(), prefix) == 0) result.push_back(reply);
    return result;
  }

 private:
  static Text ascii(const std::string& s) { return Text(s.begin(), s.end()); }
  // Numbers print as signed, as the messages carry them.
  void record(const char* what, std::initializer_list<uint64_t> numbers) {
    std::string entry = what;
    for (uint64_t n : numbers) {
      entry += ' ';
      entry += std::to_string(static_cast<int64_t>(n));
    }
    replies.push_back(ascii(entry));
  }

  Convert convert_;
  bool recordPumps_;
};
