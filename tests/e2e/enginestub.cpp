// A stand-in engine for the recorder's tests: announces its window to the front window named
// on its command line and logs every request. It runs each request through the engine's own
// interpreter, dispatchers and device classes, over the device fakes of the engine's own tests
// (stand_in_card.h), and passes on what they post and send, as the engine does: TVR_DONE with
// the request's id, the tuner's caption, signal and channel, the mixer's ids, volume and mute,
// TVR_RECON and TVR_RECOFF, the options' replies; a device error's box goes to the log, and its
// full clean runs as in the engine. "quit" ends it. It can be told to hold acknowledgements, to
// post or send anything at once, to answer a given request with scripted actions in place of
// the engine's own, or to make chosen device calls fail as a driver would.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/fileio.h"
#include "common/messages.h"
#include "enginestub_control.h"
#include "grabcore/core/lex.h"
#include "grabcore/recording_host.h"
#include "harness.h"
#include "stand_in_card.h"
#include "winui/text.h"

namespace {

// The installation's command files, read from "script\" beside the stand-in.
class StandInHost : public BasicRecordingHost<std::string> {
 public:
  StandInHost() : BasicRecordingHost([](const std::string& text) { return text; }, false) {}
  std::optional<std::vector<std::string>> readCommandFile(const std::string& name) override {
    std::ifstream in(std::filesystem::path(e2e::programFolder() + L"script\\" + std::wstring(name.begin(), name.end())),
                     std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return tavora::splitLines(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  }
};

HWND g_front = nullptr;
bool g_holding = false;
StandInHost g_host;
enginestub::Card g_card{winui::narrow(e2e::programFolder())};
lex g_engine{g_host, g_card.factory()};
size_t g_passed = 0;      // the host's replies passed on so far
size_t g_blocksSent = 0;  // ... and its blocks
std::vector<LPARAM> g_held;
// The request being run: a block the stand-in sends meanwhile lets a test's question in.
bool g_running = false;
std::map<LPARAM, std::string> g_texts;
// Named numbers the front sent, and objects made from one: the windows actions are posted to.
std::map<std::string, uint64_t> g_named;
std::map<std::string, std::string> g_scripts;

void log(const std::string& line) {
  std::ofstream out(std::filesystem::path(e2e::programFolder() + enginestub::kLogName), std::ios::app | std::ios::binary);
  out << line << "\n";
}

void logArrival(LPARAM id) {
  char line[64];
  std::snprintf(line, sizeof line, "%.10f %lld", e2e::localNow(), static_cast<long long>(id));
  std::ofstream out(std::filesystem::path(e2e::programFolder() + enginestub::kTimesName), std::ios::app | std::ios::binary);
  out << line << "\n";
}

void acknowledge(LPARAM id) { PostMessageW(g_front, tvr::TVR_DONE, 0, id); }

bool isRequest(UINT msg) {
  return msg == tvr::TVR_ADDARG || msg == tvr::TVR_EXECMDFILE || msg == tvr::TVR_EXECONELINE ||
         msg == tvr::TVR_ADDDWORD;
}

void sendBlock(HWND self, uint64_t kind, std::vector<uint8_t> bytes) {
  COPYDATASTRUCT block{static_cast<ULONG_PTR>(kind), static_cast<DWORD>(bytes.size()), bytes.data()};
  SendMessageW(g_front, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&block));
}

HWND windowNamed(const std::string& name) {
  if (name.empty()) return g_front;
  const auto found = g_named.find(name);
  if (found == g_named.end()) {
    log("no window named " + name);
    return nullptr;
  }
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(found->second));
}

void runActions(HWND self, const std::string& actions) {
  std::istringstream lines(actions);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream in(line);
    std::string verb, name;
    uint64_t msg = 0, wParam = 0;
    int64_t lParam = 0;
    in >> verb;
    if (verb == "post" && in >> name >> msg >> wParam >> lParam) {
      if (HWND target = windowNamed(name == "-" ? "" : name))
        PostMessageW(target, static_cast<UINT>(msg), static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    } else if (verb == "send" && in >> msg) {
      in >> name;  // no bytes: an empty block
      std::vector<uint8_t> block;
      for (size_t i = 0; i + 1 < name.size(); i += 2)
        block.push_back(static_cast<uint8_t>(std::stoi(name.substr(i, 2), nullptr, 16)));
      sendBlock(self, msg, std::move(block));
    } else {
      log("bad action " + line);
    }
  }
}

void control(HWND self, const COPYDATASTRUCT& data) {
  const std::string text = data.lpData ? std::string(static_cast<const char*>(data.lpData), data.cbData) : "";
  switch (static_cast<uint32_t>(data.dwData)) {
    case enginestub::kHold:
      g_holding = true;
      break;
    case enginestub::kRelease:
      g_holding = false;
      for (LPARAM id : g_held) acknowledge(id);
      g_held.clear();
      break;
    case enginestub::kScript: {
      const size_t end = text.find('\n');
      if (end == std::string::npos) break;
      if (end + 1 == text.size()) g_scripts.erase(text.substr(0, end));
      else g_scripts[text.substr(0, end)] = text.substr(end + 1);
      break;
    }
    case enginestub::kRun:
      runActions(self, text);
      break;
    case enginestub::kFail: {
      // "<HRESULT in hex> <times> <call prefix>"
      std::istringstream in(text);
      unsigned long hr = 0;
      int times = 0;
      std::string prefix;
      if (in >> std::hex >> hr >> std::dec >> times && std::getline(in >> std::ws, prefix))
        g_card.fail(std::wstring(prefix.begin(), prefix.end()), static_cast<HRESULT>(hr), times);
      break;
    }
  }
}

// What the engine keeps of a request for later actions: named numbers, and the window an
// object was made with.
void remember(UINT msg, WPARAM wParam, const std::string& text) {
  if (msg == tvr::TVR_ADDDWORD) {
    g_named[text] = wParam;
    return;
  }
  const size_t create = text.find(" create ");
  if (msg != tvr::TVR_EXECONELINE || create == std::string::npos) return;
  const auto from = g_named.find(text.substr(create + 8));
  if (from != g_named.end()) g_named[text.substr(0, create)] = from->second;
}

// What the interpreter posted and sent goes to the front; its boxes go to the log.
void passOn(HWND self) {
  for (; g_passed < g_host.replies.size(); ++g_passed) {
    const std::string& reply = g_host.replies[g_passed];
    std::istringstream in(reply);
    std::string verb;
    uint64_t window = 0, msg = 0, wParam = 0;
    int64_t lParam = 0;
    in >> verb;
    if (verb == "post" && in >> msg >> wParam >> lParam) {
      if (msg == tvr::TVR_DONE && g_holding) g_held.push_back(static_cast<LPARAM>(lParam));
      else PostMessageW(g_front, static_cast<UINT>(msg), static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    } else if (verb == "postto" && in >> window >> msg >> wParam >> lParam) {
      PostMessageW(reinterpret_cast<HWND>(static_cast<uintptr_t>(window)), static_cast<UINT>(msg),
                   static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    } else if (verb == "copydata" && in >> msg) {
      sendBlock(self, msg, g_host.copyData.at(g_blocksSent++));
    } else if (verb == "terminate") {
      PostQuitMessage(0);
    } else if (verb != "shutdown") {  // never let through

      log("engine " + reply);
    }
  }
}

LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) {
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (static_cast<uint32_t>(data.dwData) == enginestub::kUnanswered) {
      return static_cast<LRESULT>(g_texts.size() + g_held.size() + (g_running ? 1 : 0));
    } else if ((static_cast<uint32_t>(data.dwData) & 0xFFFF0000u) == 0x7A5E0000u) {
      control(window, data);
    } else {
      const char* text = static_cast<const char*>(data.lpData);
      g_texts[static_cast<LPARAM>(data.dwData)] = std::string(text, strnlen(text, data.cbData));
    }
    return 1;
  }
  if (isRequest(msg)) {
    struct Running {
      Running() { g_running = true; }
      ~Running() { g_running = false; }
    } running;
    logArrival(lParam);
    const std::string text = g_texts[lParam];
    g_texts.erase(lParam);
    log(std::to_string(lParam) + " " + text);
    remember(msg, wParam, text);
    const auto script = g_scripts.find(text);
    if (script != g_scripts.end()) {
      runActions(window, script->second);
      if (g_holding) g_held.push_back(lParam);
      else acknowledge(lParam);
      return 0;
    }
    g_card.beforeRequest();
    CopyDataBlock block{static_cast<uint64_t>(lParam), text.c_str(), static_cast<uint32_t>(text.size() + 1)};
    g_engine.onMessage(tvr::kWmCopyData, g_engine.frontWnd, 0, &block);
    g_engine.onMessage(msg, wParam, lParam);
    passOn(window);
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR arguments, int) {
  const std::wstring args(arguments);
  log("start " + std::string(args.begin(), args.end()));
  g_front = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::wcstoull(arguments, nullptr, 10)));
  g_engine.frontWnd = reinterpret_cast<uintptr_t>(g_front);
  WNDCLASSW wc{};
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"TavoraEngineStandIn";
  RegisterClassW(&wc);
  HWND self = CreateWindowW(wc.lpszClassName, L"engine", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  PostMessageW(g_front, tvr::TVR_ENGINEWND, reinterpret_cast<WPARAM>(self), 0);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
