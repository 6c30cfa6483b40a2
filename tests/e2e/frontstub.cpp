// Runs the engine under the stand-in front end and prints what comes back: each argument is
// sent as one command line; without arguments a short preview-less session is played.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/messages.h"
#include "harness.h"

namespace {

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string messageName(unsigned msg) {
  struct Row {
    unsigned msg;
    const char* name;
  };
  static const Row rows[] = {
      {tvr::TVR_ENGINEWND, "TVR_ENGINEWND"}, {tvr::TVR_DONE, "TVR_DONE"},       {tvr::TVR_MARK, "TVR_MARK"},
      {tvr::TVR_RECON, "TVR_RECON"},         {tvr::TVR_RECOFF, "TVR_RECOFF"},   {tvr::TVR_GRAPHABORT, "TVR_GRAPHABORT"},
      {tvr::TVR_DRIVER, "TVR_DRIVER"},       {tvr::TVR_VIDEOPROP, "TVR_VIDEOPROP"},
      {WM_COPYDATA, "WM_COPYDATA"},
  };
  for (const Row& row : rows)
    if (row.msg == msg) return row.name;
  return "WM_USER+" + std::to_string(msg - WM_USER);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> lines;
  for (int i = 1; i < argc; ++i) lines.push_back(utf8(argv[i]));
  if (lines.empty())
    lines = {"new GraphBuilder cFg", "cFg create", "cFg startGraph", "cFg stopGraph", "clean", "mark 1", "quit"};

  e2e::FrontEnd front;
  if (!front.start() || !front.waitForEngine()) {
    std::printf("grabcore.exe did not start\n");
    return 1;
  }
  std::printf("engine window announced\n");
  size_t shown = front.received.size();
  for (const std::string& line : lines) {
    std::printf("> %s\n", line.c_str());
    int64_t id = front.request(tvr::TVR_EXECONELINE, line);
    bool done = front.waitUntil(
        [&] {
          if (auto box = front.waitForBox(0)) {
            std::printf("  box \"%s\": %s\n", utf8(box->caption).c_str(), utf8(box->text).c_str());
            front.press(*box);
          }
          for (const e2e::Received& r : front.received)
            if (r.msg == tvr::TVR_DONE && r.lParam == id) return true;
          return false;
        },
        30000);
    for (; shown < front.received.size(); ++shown) {
      const e2e::Received& r = front.received[shown];
      std::printf("  < %s wParam=%llu lParam=%lld\n", messageName(r.msg).c_str(),
                  static_cast<unsigned long long>(r.msg == WM_COPYDATA ? r.kind : r.wParam),
                  static_cast<long long>(r.lParam));
    }
    if (!done) {
      std::printf("no acknowledgement\n");
      return 1;
    }
  }
  std::printf(front.waitForExit(5000) ? "engine ended\n" : "engine still running\n");
  return 0;
}
