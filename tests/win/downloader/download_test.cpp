// The download queue's WinINet transfer and Windows ports against the tests' own HTTP server.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "common/fileio.h"
#include "guidepane/core/table_download.h"
#include "guidepane/fake_browser.h"
#include "guidepane/texts/download_texts.h"
#include "guidepane/win/download_ports.h"
#include "http/http_server.h"
#include "winui/text.h"

namespace {

using namespace std::chrono_literals;

struct LogView : guide::DownloadView {
  void navigate(const std::string&) override {}
  void stopBrowser() override {}
  void message(const std::string& text) override { lines.push_back("message " + text); }
  void setDownloadingCaption(bool) override {}
  void showAddress(const std::string&) override {}
  void setPageProgress(int, int) override {}
  void setImageProgress(int position, int) override { images = position; }
  void log(const std::string& line) override { lines.push_back(line); }
  void updateDateButtons() override {}
  size_t count(const std::string& line) const { return std::count(lines.begin(), lines.end(), line); }
  std::vector<std::string> lines;
  int images = 0;
};

void serveOnce() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

// Shared with the dialog's tests. Wine reuses process ids, so a former run's folder may be there.
std::string freshFolder(const char* name) {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / (name + std::to_string(GetCurrentProcessId()));
  std::filesystem::remove_all(folder);
  return winui::narrow(folder.wstring());
}

void removeTree(const std::string& folder) { std::filesystem::remove_all(winui::widen(folder)); }

namespace {

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(winui::widen(folder), error))
    names.push_back(winui::narrow(entry.path().filename().wstring()));
  std::sort(names.begin(), names.end());
  return names;
}

std::string bodyOf(int i, size_t size) {
  std::string body(size, '\0');
  for (size_t k = 0; k < size; ++k) body[k] = static_cast<char>((k * 131 + i * 7) & 0xff);
  return body;
}

TEST(WinInetDownload, EightWorkersFetchEveryBodyWholeAndLeaveNothingOfTheFailures) {
  testhttp::Server server;
  const std::string top = freshFolder("tavora_dl_");
  const std::string folder = top + "\\prgTable\\img";
  guide::UiCallWindow calls;
  LogView view;
  std::vector<std::string> names;
  {
    guide::dlCtrl queue(view, guide::windowsDownloadPorts(calls, nullptr));
    for (int i = 0; i < 12; ++i) {
      const std::string name = "f" + std::to_string(i) + ".gif";
      server.script("/img/" + name, {200, bodyOf(i, 3000 + 1500 * i), 300});
      names.push_back(name);
    }
    // An image an earlier run saved under a name like another's temporary file.
    std::filesystem::create_directories(winui::widen(folder));
    ASSERT_TRUE(tavora::writeFileReplacing(folder + "\\f0.gif.tmp", {'o', 'l', 'd'}));
    server.script("/img/error.gif", {500, "no"});
    server.script("/img/cut.gif", {200, bodyOf(99, 5000), 0, 2000});
    for (const std::string& name : names) queue.add(server.url("/img/" + name), folder + "\\" + name);
    queue.add(server.url("/img/F1.GIF"), folder + "\\F1.GIF");  // f1.gif's file: never a job of its own
    for (const char* name : {"missing.gif", "error.gif", "cut.gif"})
      queue.add(server.url(std::string("/img/") + name), folder + "\\" + name);
    EXPECT_EQ(queue.threadCount(), 8);
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (queue.threadCount() > 0 && std::chrono::steady_clock::now() < deadline) serveOnce();
    EXPECT_EQ(queue.threadCount(), 0);
    EXPECT_EQ(queue.peakWorkers(), 8);
    EXPECT_EQ(queue.dropped(), 3);
  }
  names.push_back("f0.gif.tmp");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(filesIn(folder), names);  // no temporary file, nothing of the failures
  EXPECT_EQ(tavora::readWholeFile(folder + "\\f0.gif.tmp"), (std::vector<uint8_t>{'o', 'l', 'd'}));
  for (int i = 0; i < 12; ++i) {
    auto bytes = tavora::readWholeFile(folder + "\\f" + std::to_string(i) + ".gif");
    ASSERT_TRUE(bytes) << i;
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), bodyOf(i, 3000 + 1500 * i)) << i;
  }
  EXPECT_EQ(view.images, 12);
  EXPECT_EQ(view.count(std::string(texts::kStatusFailed) + "404"), 3u);
  EXPECT_EQ(view.count(std::string(texts::kStatusFailed) + "500"), 3u);
  EXPECT_EQ(view.count(texts::kBodyCutShort) + view.count(texts::kWorkerReadFailed), 3u);
  for (const char* name : {"missing.gif", "error.gif", "cut.gif"})
    EXPECT_EQ(view.count(texts::kJobDropped + server.url(std::string("/img/") + name)), 1u) << name;
  EXPECT_EQ(view.count(std::string(texts::kThreadCreated) + "8"), 1u);
  EXPECT_EQ(view.count(std::string(texts::kThreadDestroyed) + "0"), 1u);
  // WinINet's own limit per server would hold the eight workers to fewer connections.
  EXPECT_EQ(server.peakConnections(), 8);
  removeTree(top);
}

// Wine's WinINet finishes a blocked call even when its handle is closed, so the answer comes
// within the wait here; what is checked is that the aborted transfer writes nothing.
TEST(WinInetDownload, ShutdownAbortsASlowTransferAndLeavesNoFile) {
  testhttp::Server server;
  const std::string folder = freshFolder("tavora_slow_");
  server.script("/slow.gif", {200, bodyOf(1, 40000), 1500});
  guide::UiCallWindow calls;
  LogView view;
  guide::dlCtrl queue(view, guide::windowsDownloadPorts(calls, nullptr));
  queue.add(server.url("/slow.gif"), folder + "\\slow.gif");
  const auto start = std::chrono::steady_clock::now();
  while (server.requests().empty() && std::chrono::steady_clock::now() - start < 5s) serveOnce();
  ASSERT_EQ(server.requests(), std::vector<std::string>{"/slow.gif"});
  const auto stopAt = std::chrono::steady_clock::now();
  EXPECT_TRUE(queue.shutdown(serveOnce, 5s));
  EXPECT_LT(std::chrono::steady_clock::now() - stopAt, 5s);
  EXPECT_EQ(queue.threadCount(), 0);
  EXPECT_EQ(filesIn(folder), std::vector<std::string>{});
  removeTree(folder);
}

// A link with characters Shift-JIS lacks is written back with them as UTF-8 escapes, others as they were.
TEST(WinInetDownload, ALinkWrittenBackKeepsEveryCharacterOfItsAddress) {
  std::vector<Node> links;
  for (const wchar_t* href : {L"http://h/?q=caf\u00e9", L"http://h/?q=caf\u00e8", L"http://h/\u756a\u7d44.htm"})
    links.push_back(std::make_shared<FakeNode>(FakeNode{"A", "", "", 0, {}, href}));
  guide::localizePage(*htmlDocumentOver(std::make_shared<FakeNode>(FakeNode{"", "", "", 0, links}), "http://h/"));
  EXPECT_EQ(links[0]->wideHref + links[1]->wideHref + links[2]->wideHref, L"http://h/?q=caf%C3%A9http://h/?q=caf%C3%A8http://h/\u756a\u7d44.htm");
}

}  // namespace
