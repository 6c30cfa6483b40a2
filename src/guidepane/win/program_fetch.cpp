#include "program_fetch.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>

#include "guidepane/core/program_link.h"
#include "guidepane/texts/shell_texts.h"

namespace guide {

namespace {

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET h) : h_(h) {}
  ~InternetHandle() {
    if (h_) InternetCloseHandle(h_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HINTERNET h_;
};

}  // namespace

FetchedRecord fetchProgramRecord(const std::string& url) {
  // The URL handle is declared after the session's, so it closes first.
  InternetHandle session(InternetOpenA("Tavora", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  if (!session) return {texts::kInternetOpenFailed, {}};
  InternetHandle page(InternetOpenUrlA(session.get(), url.c_str(), nullptr, 0, 0, 0));
  if (!page) return {texts::kAddressOpenFailed, {}};

  DWORD status = 0, size = sizeof status;
  // A scheme without a status (ftp, file) has none to check; every HTTP answer has one.
  if (!HttpQueryInfoA(page.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
    status = 200;

  std::string body;
  char buffer[1024];
  while (body.size() < kMaxRecordBytes) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min(sizeof buffer, kMaxRecordBytes - body.size()));
    if (!InternetReadFile(page.get(), buffer, want, &got)) return {texts::kReadFailed, {}};
    if (got == 0) break;
    body.append(buffer, got);
  }
  auto record = recordFromAnswer(static_cast<int>(status), body);
  if (!record) return {texts::kAddressOpenFailed, {}};
  return {nullptr, *record};
}

}  // namespace guide
