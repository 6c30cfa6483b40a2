// The table download's pool against a slow site: a week's files (63 pages of about 50 KB, 600
// images of 2-20 KB, each answer held back 30 ms) from the local server, by eight workers and by
// the same pool held to one transfer at a time; prints both times, their ratio and the peak.
//   dlbench.exe [FOLDER]   FOLDER, a host path: afterwards the list goes to FOLDER\urls.txt and
//   FOLDER\ready says so; the script fetches the list with eight curl processes into
//   FOLDER\files\ and writes their time in seconds to FOLDER\curl.txt. Their files are checked
//   here and the three runs compared.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <fstream>
#include <mutex>
#include <thread>

#include "guidepane/win/download_ports.h"
#include "http/http_server.h"
#include "winui/text.h"

namespace {

struct QuietView : guide::DownloadView {
  void navigate(const std::string&) override {}
  void stopBrowser() override {}
  void message(const std::string&) override {}
  void setDownloadingCaption(bool) override {}
  void showAddress(const std::string&) override {}
  void setPageProgress(int, int) override {}
  void setImageProgress(int, int) override {}
  void log(const std::string&) override {}
  void updateDateButtons() override {}
};

std::mutex oneAtATime;

// Holds the lock from its open to its end: the pool's eight workers take turns.
class Serialized : public guide::HttpTransfer {
 public:
  Serialized() : inner_(guide::newWinInetTransfer()) {}
  Opened open(const std::string& address) override {
    held_ = std::unique_lock<std::mutex>(oneAtATime);
    return inner_->open(address);
  }
  unsigned status() const override { return inner_->status(); }
  std::optional<uint64_t> contentLength() const override { return inner_->contentLength(); }
  long read(char* buffer, unsigned long size) override { return inner_->read(buffer, size); }
  void cancel() override { inner_->cancel(); }

 private:
  std::unique_lock<std::mutex> held_;
  std::unique_ptr<guide::HttpTransfer> inner_;  // declared last: ends before the lock is let go
};

double fetchAll(testhttp::Server& server, const std::vector<std::string>& paths, bool serial, int& peak) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tavora_dlbench";
  std::filesystem::remove_all(folder);
  server.resetCounts();
  guide::UiCallWindow calls;
  QuietView view;
  guide::DownloadPorts ports = guide::windowsDownloadPorts(calls, nullptr);
  if (serial) ports.newTransfer = [] { return std::make_unique<Serialized>(); };
  const auto start = std::chrono::steady_clock::now();
  {
    guide::dlCtrl queue(view, std::move(ports));
    const std::string base = winui::narrow(folder.wstring()) + "\\";
    for (const std::string& path : paths) queue.add(server.url(path), base + path.substr(path.rfind('/') + 1));
    while (queue.threadCount() > 0) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  peak = server.peakConnections();
  std::filesystem::remove_all(folder);
  return seconds;
}

// A host path as Wine shows it: under Z:.
std::filesystem::path hostPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return std::filesystem::path(!path.empty() && path[0] == '\\' ? "Z:" + path : path);
}

// Waits (bounded) for the script's curl time; 0 when it did not come or a file is wrong.
double curlRun(testhttp::Server& server, const std::vector<std::string>& paths, const std::map<std::string, size_t>& sizes,
               const std::filesystem::path& folder, int& peak) {
  {
    std::ofstream urls(folder / "urls.txt", std::ios::binary);
    for (const std::string& path : paths) urls << server.url(path) << "\n";
  }
  server.resetCounts();
  std::ofstream(folder / "ready") << "ready\n";
  double seconds = 0;
  for (int i = 0; i < 1200 && seconds <= 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::ifstream(folder / "curl.txt") >> seconds;
  }
  peak = server.peakConnections();
  for (const std::string& path : paths) {
    const std::filesystem::path file = folder / "files" / path.substr(path.rfind('/') + 1);
    std::error_code error;
    if (std::filesystem::file_size(file, error) != sizes.at(path) || error) {
      std::printf("curl: %s is missing or of the wrong size\n", path.c_str());
      return 0;
    }
  }
  if (server.requests().size() != paths.size()) {
    std::printf("curl: %zu requests for %zu files\n", server.requests().size(), paths.size());
    return 0;
  }
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  testhttp::Server server;
  std::vector<std::string> paths;
  std::map<std::string, size_t> sizes;
  auto add = [&](std::string path, size_t size, char fill) {
    server.script(path, {200, std::string(size, fill), 30});
    sizes[path] = size;
    paths.push_back(std::move(path));
  };
  for (int i = 0; i < 63; ++i) add("/tb/page" + std::to_string(i) + ".htm", 50000 + 37 * i, 'p');
  for (int i = 0; i < 600; ++i) add("/img/i" + std::to_string(i) + ".gif", 2000 + (i * 977) % 18000, 'g');
  int peakPool = 0, peakOne = 0;
  const double pool = fetchAll(server, paths, false, peakPool);
  const double one = fetchAll(server, paths, true, peakOne);
  std::printf("table download: %zu files, each answer held 30 ms\n", paths.size());
  std::printf("  eight workers: %.2f s, peak connections %d\n", pool, peakPool);
  std::printf("  one at a time: %.2f s, peak connections %d\n", one, peakOne);
  std::printf("  one at a time / eight workers: %.1fx\n", one / pool);
  if (argc > 1) {
    int peakCurl = 0;
    const double curl = curlRun(server, paths, sizes, hostPath(argv[1]), peakCurl);
    if (curl <= 0) return 1;
    std::printf("  eight curl processes: %.2f s, peak connections %d\n", curl, peakCurl);
    std::printf("  eight workers / eight curl processes: %.2fx\n", pool / curl);
  }
  return peakPool <= guide::dlCtrl::kMaxThreads ? 0 : 1;
}
