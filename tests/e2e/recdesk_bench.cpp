#include "recdesk_bench.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "enginestub_control.h"
#include "harness.h"

namespace e2e {

namespace {

std::vector<std::string> readLines(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct FindWindowOf {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK findWindowOf(HWND window, LPARAM context) {
  auto* find = reinterpret_cast<FindWindowOf*>(context);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t name[64];
  if (pid == find->processId && GetClassNameW(window, name, 64) && std::wstring(name) == find->className) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool pollUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() > end) return false;
    Sleep(20);
  }
  return true;
}

RecdeskBench::RecdeskBench(bool withSettings) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  folder_ = std::wstring(temp) + std::wstring(L"recdesk_") + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(GetTickCount64()) + L"\\";
  CreateDirectoryW(folder_.c_str(), nullptr);
  const std::wstring product = productFolder(), standIns = programFolder();
  CopyFileW((product + L"recdesk.exe").c_str(), (folder_ + L"recdesk.exe").c_str(), FALSE);
  CopyFileW((standIns + L"enginestub.exe").c_str(), (folder_ + L"grabcore.exe").c_str(), FALSE);
  for (const wchar_t* name : {L"planbook.exe", L"guidepane.exe", L"wakecall.exe"})
    CopyFileW((standIns + L"launchstub.exe").c_str(), (folder_ + name).c_str(), FALSE);
  if (withSettings) CopyFileW((product + L"timerSetup.dat").c_str(), (folder_ + L"timerSetup.dat").c_str(), FALSE);
  std::filesystem::copy(std::filesystem::path(product + L"script"), std::filesystem::path(folder_ + L"script"));
}

RecdeskBench::~RecdeskBench() {
  for (HANDLE process : processes_) {
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
  }
  killEngine();  // when a test left it running
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(folder_), ignored);
}

HANDLE RecdeskBench::start() {
  std::wstring commandLine = L"\"" + folder_ + L"recdesk.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                      &info))
    return nullptr;
  CloseHandle(info.hThread);
  processes_.push_back(info.hProcess);
  return info.hProcess;
}

bool RecdeskBench::waitForMainWindow(DWORD timeoutMs) {
  FindWindowOf find{GetProcessId(process()), L"TTavora", nullptr};
  const bool found = pollUntil(
      [&] {
        EnumWindows(findWindowOf, reinterpret_cast<LPARAM>(&find));
        engine_ = FindWindowExW(HWND_MESSAGE, nullptr, L"TavoraEngineStandIn", nullptr);
        return find.found != nullptr && engine_ != nullptr;
      },
      timeoutMs);
  main_ = find.found;
  return found;
}

HWND RecdeskBench::findBox(HANDLE process) const { return findWindow(process, L"#32770"); }

HWND RecdeskBench::findWindow(HANDLE process, const wchar_t* className) const {
  FindWindowOf find{GetProcessId(process), className, nullptr};
  EnumWindows(findWindowOf, reinterpret_cast<LPARAM>(&find));
  return find.found && IsWindowVisible(find.found) ? find.found : nullptr;
}

void RecdeskBench::killEngine() {
  // Also an engine started from the folder by another program than recdesk.
  if (!engine_) engine_ = FindWindowExW(HWND_MESSAGE, nullptr, L"TavoraEngineStandIn", nullptr);
  if (!engine_) return;
  DWORD pid = 0;
  GetWindowThreadProcessId(engine_, &pid);
  if (HANDLE engine = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
    TerminateProcess(engine, 1);
    WaitForSingleObject(engine, 5000);
    CloseHandle(engine);
  }
  engine_ = nullptr;
}

std::wstring RecdeskBench::boxText(HWND box) {
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);
  return text;
}

bool RecdeskBench::waitForExit(HANDLE process, DWORD timeoutMs, DWORD* exitCode) {
  if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(process, exitCode);
  return true;
}

void RecdeskBench::writeFile(const std::wstring& name, const std::vector<uint8_t>& bytes) const {
  std::ofstream out(std::filesystem::path(folder_ + name), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> RecdeskBench::engineLog() const { return readLines(folder_ + enginestub::kLogName); }
std::vector<std::string> RecdeskBench::launchLog() const { return readLines(folder_ + L"launch.log"); }

std::vector<std::string> RecdeskBench::requests() const {
  std::vector<std::string> out;
  for (const std::string& line : engineLog()) {
    // "<id> <text>"; the start line and the engine's boxes are no requests.
    const size_t blank = line.find(' ');
    if (blank != std::string::npos && blank > 0 && line.find_first_not_of("0123456789") == blank)
      out.push_back(line.substr(blank + 1));
  }
  return out;
}

std::vector<std::string> RecdeskBench::engineBoxes() const {
  std::vector<std::string> out;
  for (const std::string& line : engineLog())
    if (line.rfind("engine ", 0) == 0) out.push_back(line.substr(7));
  return out;
}

std::vector<std::string> RecdeskBench::requestsWithoutViewSizing() const {
  std::vector<std::string> out = requests();
  std::erase_if(out, [](const std::string& text) {
    return text == "cVCap loadQuality" || text.rfind("cCapBuild setWinSize ", 0) == 0;
  });
  return out;
}

bool RecdeskBench::waitForRequest(const std::string& text, DWORD timeoutMs) const {
  return pollUntil(
      [&] {
        const std::vector<std::string> sent = requests();
        return std::find(sent.begin(), sent.end(), text) != sent.end();
      },
      timeoutMs);
}

void RecdeskBench::choose(HWND window, WPARAM item) const {
  // Its queue is idle once the stand-in has answered every request it was sent: the recorder
  // takes those acknowledgements before the command posted after them. The view's size request
  // always has its picture refit queued behind it.
  pollUntil(
      [&] {
        if (ask(enginestub::kUnanswered) != 0) return false;
        const std::vector<std::string> sent = requests();
        return sent.empty() || sent.back().rfind("cCapBuild setWinSize ", 0) != 0;
      },
      10000);
  PostMessageW(window, WM_COMMAND, item, 0);
}

LRESULT RecdeskBench::ask(uint32_t kind) const {
  COPYDATASTRUCT data{kind, 0, nullptr};
  return SendMessageW(engine_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

void RecdeskBench::control(uint32_t kind, const std::vector<uint8_t>& payload) {
  COPYDATASTRUCT data{kind, static_cast<DWORD>(payload.size()), const_cast<uint8_t*>(payload.data())};
  SendMessageW(engine_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

void RecdeskBench::holdAcknowledgements() { control(enginestub::kHold, {}); }
void RecdeskBench::releaseAcknowledgements() { control(enginestub::kRelease, {}); }

void RecdeskBench::enginePosts(unsigned msg, uint64_t wParam, int64_t lParam) {
  engineRuns(enginestub::Actions().post("", msg, wParam, lParam));
}

void RecdeskBench::engineSends(uint64_t kind, const std::vector<uint8_t>& block) {
  engineRuns(enginestub::Actions().send(kind, block));
}

void RecdeskBench::engineRuns(const enginestub::Actions& actions) { control(enginestub::kRun, actions.bytes()); }

void RecdeskBench::engineFails(const std::string& call, long hr, int times) {
  char head[32];
  std::snprintf(head, sizeof head, "%lx %d ", static_cast<unsigned long>(hr), times);
  const std::string text = head + call;
  control(enginestub::kFail, {text.begin(), text.end()});
}

void RecdeskBench::onRequest(const std::string& request, const enginestub::Actions& actions) {
  control(enginestub::kScript, actions.script(request));
}

HWND RecdeskBench::startWithView() {
  if (!start() || !waitForMainWindow()) return nullptr;
  HWND view = FindWindowW(L"TFormTVView", nullptr);
  if (!view) return nullptr;
  PostMessageW(main_, WM_COMMAND, 1, 0);  // "TV表示"
  return waitForRequest("mark 5") ? view : nullptr;
}

std::vector<std::string> RecdeskBench::requestsSinceMark() const {
  const std::vector<std::string> all = requestsWithoutViewSizing();
  return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(std::min(mark_, all.size())), all.end());
}

bool RecdeskBench::sentSinceMark(const std::vector<std::string>& expected, std::vector<std::string>& got) const {
  pollUntil([&] { return requestsSinceMark().size() >= expected.size(); }, 10000);
  Sleep(200);
  got = requestsSinceMark();
  return got == expected;
}

}  // namespace e2e
