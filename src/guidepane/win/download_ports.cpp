#include "download_ports.h"

#include <wininet.h>

#include <atomic>
#include <mutex>

#include "common/fileio.h"
#include "common/sjis.h"
#include "winui/text.h"

namespace guide {

namespace {

// WinINet holds a process to a few connections per server; the pool runs eight.
void raiseConnectionLimit() {
  static std::once_flag once;
  std::call_once(once, [] {
    DWORD conns = dlCtrl::kMaxThreads;
    InternetSetOptionA(nullptr, INTERNET_OPTION_MAX_CONNS_PER_SERVER, &conns, sizeof conns);
    InternetSetOptionA(nullptr, INTERNET_OPTION_MAX_CONNS_PER_1_0_SERVER, &conns, sizeof conns);
  });
}

class WinInetTransfer : public HttpTransfer {
 public:
  ~WinInetTransfer() override { closeHandles(); }

  Opened open(const std::string& address) override {
    raiseConnectionLimit();
    HINTERNET session = InternetOpenA("Tavora", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!session) return Opened::internetOpenFailed;
    session_.store(session);
    if (cancelled_) return Opened::openUrlFailed;
    HINTERNET url = InternetOpenUrlA(session, address.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    if (!url) return Opened::openUrlFailed;
    url_.store(url);
    if (cancelled_) return Opened::openUrlFailed;
    DWORD status = 0, size = sizeof status;
    if (!HttpQueryInfoA(url, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
      return Opened::statusQueryFailed;
    status_ = status;
    DWORD length = 0;
    size = sizeof length;
    if (HttpQueryInfoA(url, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr))
      length_ = length;
    return Opened::ok;
  }
  unsigned status() const override { return status_; }
  std::optional<uint64_t> contentLength() const override { return length_; }
  long read(char* buffer, unsigned long size) override {
    HINTERNET url = url_.load();
    DWORD got = 0;
    if (!url || cancelled_ || !InternetReadFile(url, buffer, size, &got) || cancelled_) return -1;
    return static_cast<long>(got);
  }
  // Closing the handles from here ends a read blocked on the worker; each closes once.
  void cancel() override {
    cancelled_ = true;
    closeHandles();
  }

 private:
  void closeHandles() {
    if (HINTERNET url = url_.exchange(nullptr)) InternetCloseHandle(url);
    if (HINTERNET session = session_.exchange(nullptr)) InternetCloseHandle(session);
  }

  std::atomic<HINTERNET> session_{nullptr}, url_{nullptr};
  std::atomic<bool> cancelled_{false};
  unsigned status_ = 0;
  std::optional<uint64_t> length_;
};

bool makeFolders(std::string folder) {
  // The separator folderOf leaves at the end (a double-byte character's 0x5C is none).
  if (!folder.empty() && tavora::sjis::folderOf(folder + "x").size() == folder.size()) folder.pop_back();
  if (folder.empty() || folder.back() == ':') return true;
  const std::wstring wide = winui::widen(folder);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const std::string parent = tavora::sjis::folderOf(folder);
  if (!parent.empty() && parent != folder && !makeFolders(parent)) return false;
  return CreateDirectoryW(wide.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// The file system compares names ignoring case, as the invariant upper-casing does; every
// Shift-JIS spelling of one name (the code page's duplicate characters too) has one key.
std::string fileKey(const std::string& path) {
  const std::wstring wide = winui::widen(path);
  std::wstring upper(wide.size(), L'\0');
  const int n = wide.empty() ? 0
                             : LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()),
                                             upper.data(), static_cast<int>(upper.size()), nullptr, nullptr, 0);
  if (n > 0) upper.resize(static_cast<size_t>(n));
  else upper = wide;
  return std::string(reinterpret_cast<const char*>(upper.data()), upper.size() * sizeof(wchar_t));
}

const wchar_t kCallClass[] = L"TavoraDownloadCalls";

LRESULT CALLBACK callProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP) {
    (*reinterpret_cast<const std::function<void()>*>(lp))();
    return 1;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

std::unique_ptr<HttpTransfer> newWinInetTransfer() { return std::make_unique<WinInetTransfer>(); }

DownloadFiles windowsDownloadFiles() {
  return {[](const std::string& path) { return tavora::fileExists(path); }, makeFolders,
          [](const std::string& path, const std::vector<uint8_t>& bytes) { return tavora::writeFileReplacing(path, bytes); },
          fileKey};
}

UiCallWindow::UiCallWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = callProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kCallClass;
  RegisterClassW(&wc);  // fails harmlessly when registered before
  hwnd_ = CreateWindowExW(0, kCallClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

UiCallWindow::~UiCallWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

// SendMessage waits for the call; to a destroyed window it returns at once without it.
void UiCallWindow::call(const std::function<void()>& f) const {
  if (hwnd_) SendMessageW(hwnd_, WM_APP, 0, reinterpret_cast<LPARAM>(&f));
}

DownloadPorts windowsDownloadPorts(const UiCallWindow& calls, HWND dialog) {
  DownloadPorts ports;
  ports.files = windowsDownloadFiles();
  ports.newTransfer = newWinInetTransfer;
  ports.synchronize = [&calls](const std::function<void()>& f) { calls.call(f); };
  ports.postThreadDone = [dialog] { PostMessageW(dialog, DL_THREAD_DONE, 0, 0); };
  return ports;
}

}  // namespace guide
