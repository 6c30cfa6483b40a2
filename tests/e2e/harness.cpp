#include "harness.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/messages.h"
#include "common/oledate.h"
#include "winui/window_object.h"

namespace e2e {

namespace {

int g_counter = 0;

std::wstring windowClass(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring windowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

struct BoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK findBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->processId && IsWindowVisible(window) && windowClass(window) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK longestStatic(HWND child, LPARAM param) {
  auto* text = reinterpret_cast<std::wstring*>(param);
  if (windowClass(child) == L"Static") {
    std::wstring t = windowText(child);
    if (t.size() > text->size()) *text = t;
  }
  return TRUE;
}

}  // namespace

std::wstring programFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring productFolder() {
  // The product lies in bin beside the tests' testbin.
  const std::wstring relative = programFolder() + L"..\\bin\\";
  wchar_t full[MAX_PATH];
  const DWORD n = GetFullPathNameW(relative.c_str(), MAX_PATH, full, nullptr);
  return std::wstring(full, n);
}

std::wstring engineFolder() {
  static const std::wstring folder = [] {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::filesystem::path run = std::filesystem::path(programFolder()) / L"run" / std::filesystem::path(self).stem();
    std::filesystem::create_directories(run / L"script");
    const std::filesystem::path product(productFolder());
    // CopyFileW: the runtime's copy_file cannot replace a file on Windows.
    CopyFileW((product / L"grabcore.exe").c_str(), (run / L"grabcore.exe").c_str(), FALSE);
    for (const auto& entry : std::filesystem::directory_iterator(product / L"script"))
      CopyFileW(entry.path().c_str(), (run / L"script" / entry.path().filename()).c_str(), FALSE);
    return run.wstring() + L"\\";
  }();
  return folder;
}

double localNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return tavora::encodeOleDateTime({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds});
}

std::string uniqueName(const std::string& stem) {
  return stem + "_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++g_counter);
}

FrontEnd::FrontEnd() {
  className_ = L"TavoraFrontStandIn_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++g_counter);
  WNDCLASSW wc{};
  wc.lpfnWndProc = windowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = className_.c_str();
  RegisterClassW(&wc);
  window_ = CreateWindowExW(0, className_.c_str(), L"front", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                            wc.hInstance, this);
}

FrontEnd::~FrontEnd() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) kill();
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  if (window_) DestroyWindow(window_);
  UnregisterClassW(className_.c_str(), GetModuleHandleW(nullptr));
}

bool FrontEnd::start() {
  return startWithArguments(std::to_wstring(reinterpret_cast<uintptr_t>(window_)));
}

bool FrontEnd::startWithArguments(const std::wstring& arguments) {
  // As the recorder does: the program name without path or extension, then one blank and the handle.
  std::wstring commandLine = L"grabcore";
  if (!arguments.empty()) commandLine += L" " + arguments;
  const std::wstring exe = engineFolder() + L"grabcore.exe";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  const std::wstring folder = engineFolder();
  if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, HIGH_PRIORITY_CLASS, nullptr,
                     folder.c_str(), &startup, &process_))
    return true;
  // The test only sees false; the system's error and whether the file is there tell why.
  const DWORD error = GetLastError();
  std::fprintf(stderr, "CreateProcessW of %ls failed: error %lu, file attributes %lx\n", exe.c_str(), error,
               GetFileAttributesW(exe.c_str()));
  return false;
}

bool FrontEnd::waitForEngine(DWORD timeoutMs) {
  return waitUntil([&] { return engine_ != nullptr; }, timeoutMs);
}

void FrontEnd::sendText(int64_t id, const std::string& text, HWND sender) {
  COPYDATASTRUCT data{static_cast<ULONG_PTR>(id), static_cast<DWORD>(text.size() + 1),
                      const_cast<char*>(text.c_str())};
  SendMessageW(engine_, WM_COPYDATA, reinterpret_cast<WPARAM>(sender ? sender : window_),
               reinterpret_cast<LPARAM>(&data));
}

void FrontEnd::postRequest(unsigned msg, uint64_t value, int64_t id) {
  PostMessageW(engine_, msg, static_cast<WPARAM>(value), static_cast<LPARAM>(id));
}

int64_t FrontEnd::request(unsigned msg, const std::string& text, uint64_t value) {
  int64_t id = nextId_++;
  sendText(id, text);
  postRequest(msg, value, id);
  return id;
}

bool FrontEnd::waitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() >= deadline) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

bool FrontEnd::acknowledged(int64_t id) const {
  for (const Received& r : received)
    if (r.msg == tvr::TVR_DONE && r.lParam == id) return true;
  return false;
}

bool FrontEnd::waitForDone(int64_t id, DWORD timeoutMs) {
  return waitUntil([&] { return acknowledged(id); }, timeoutMs);
}

std::optional<Box> FrontEnd::visibleBox() const {
  BoxSearch search{process_.dwProcessId, nullptr};
  EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return std::nullopt;
  Box box;
  box.window = search.found;
  box.caption = windowText(search.found);
  EnumChildWindows(search.found, longestStatic, reinterpret_cast<LPARAM>(&box.text));
  return box;
}

std::optional<Box> FrontEnd::waitForBox(DWORD timeoutMs) {
  std::optional<Box> box;
  waitUntil([&] { return (box = visibleBox()).has_value(); }, timeoutMs);
  return box;
}

std::wstring FrontEnd::waitForDoneWithoutBox(int64_t id, DWORD timeoutMs) {
  std::optional<Box> box;
  waitUntil([&] { return (box = visibleBox()) || acknowledged(id); }, timeoutMs);
  if (box) return L"a box: " + box->text;
  return acknowledged(id) ? L"" : L"no acknowledgement";
}

bool FrontEnd::press(const Box& box, int button) {
  PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.window, button)));
  return waitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }, 5000);
}

bool FrontEnd::waitForExit(DWORD timeoutMs) {
  return waitUntil([&] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

void FrontEnd::kill() {
  if (process_.hProcess) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
}

std::vector<unsigned> FrontEnd::messages() const {
  std::vector<unsigned> out;
  for (const Received& r : received)
    if (r.msg != WM_COPYDATA) out.push_back(r.msg);
  return out;
}

size_t FrontEnd::count(unsigned msg) const {
  size_t n = 0;
  for (const Received& r : received) n += r.msg == msg;
  return n;
}

LRESULT CALLBACK FrontEnd::windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = winui::windowObject<FrontEnd>(window, msg, lParam);
  if (self) {
    if (msg == WM_COPYDATA) {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      Received r;
      r.msg = WM_COPYDATA;
      r.wParam = wParam;
      if (data) {
        r.kind = data->dwData;
        const auto* bytes = static_cast<const uint8_t*>(data->lpData);
        if (bytes) r.block.assign(bytes, bytes + data->cbData);
      }
      self->received.push_back(std::move(r));
      return TRUE;
    }
    if (msg >= WM_USER) {
      if (msg == tvr::TVR_ENGINEWND) self->engine_ = reinterpret_cast<HWND>(wParam);
      self->received.push_back({msg, static_cast<uint64_t>(wParam), static_cast<int64_t>(lParam), 0, {}});
      return 0;
    }
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

ScriptFile::ScriptFile(const std::string& name, const std::vector<std::string>& lines) : name_(name) {
  path_ = engineFolder() + L"script\\" + std::wstring(name.begin(), name.end());
  std::ofstream out(std::filesystem::path(path_), std::ios::binary);
  for (const std::string& line : lines) out << line << "\r\n";
}

ScriptFile::~ScriptFile() { DeleteFileW(path_.c_str()); }

}  // namespace e2e
