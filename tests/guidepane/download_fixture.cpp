#include "download_fixture.h"

#include <chrono>

using namespace std::chrono_literals;

class FakeTransfer : public guide::HttpTransfer {
 public:
  explicit FakeTransfer(DownloadBench& b) : b_(b) {}
  ~FakeTransfer() override {
    std::unique_lock<std::mutex> l(b_.m_);
    if (counted_) --b_.active_;
    ++b_.closing_;
    b_.cv_.notify_all();
    b_.cv_.wait(l, [&] { return !b_.closeHeld_; });
    --b_.closing_;
  }
  Opened open(const std::string& address) override {
    std::unique_lock<std::mutex> l(b_.m_);
    b_.opened_.push_back(address);
    counted_ = true;
    b_.peak = std::max(b_.peak, ++b_.active_);
    b_.cv_.notify_all();
    b_.cv_.wait(l, [&] { return !b_.held_ || cancelled_; });
    auto it = b_.site.find(address);
    answer_ = it == b_.site.end() ? Answer{404, "", false} : it->second;
    return Opened::ok;
  }
  unsigned status() const override { return answer_.status; }
  std::optional<uint64_t> contentLength() const override { return answer_.body.size() + (answer_.cutShort ? 10 : 0); }
  long read(char* buffer, unsigned long size) override {
    std::lock_guard<std::mutex> l(b_.m_);
    if (cancelled_) return -1;
    const size_t n = std::min<size_t>(size, answer_.body.size() - at_);
    answer_.body.copy(buffer, n, at_);
    at_ += n;
    return static_cast<long>(n);
  }
  void cancel() override {
    std::lock_guard<std::mutex> l(b_.m_);
    cancelled_ = true;
    b_.cv_.notify_all();
  }

 private:
  DownloadBench& b_;
  Answer answer_;
  size_t at_ = 0;
  bool counted_ = false, cancelled_ = false;
};

guide::DownloadPorts DownloadBench::ports() {
  guide::DownloadPorts p;
  p.files.exists = [this](const std::string& path) {
    std::lock_guard<std::mutex> l(m_);
    return files.count(path) > 0;
  };
  p.files.makeFolders = [](const std::string& folder) { return folder.find("readonly") == std::string::npos; };
  p.files.write = [this](const std::string& path, const std::vector<uint8_t>& bytes) {
    std::lock_guard<std::mutex> l(m_);
    if (path.find("readonly") != std::string::npos || path.find("locked") != std::string::npos)
      return tavora::WriteResult{tavora::WriteStep::create};
    if (path.find("full") != std::string::npos) return tavora::WriteResult{tavora::WriteStep::write};
    files[path] = bytes;
    return tavora::WriteResult{};
  };
  p.files.key = [](std::string s) { return std::transform(s.begin(), s.end(), s.begin(), ::toupper), s; };  // ASCII names
  p.newTransfer = [this] { return std::make_unique<FakeTransfer>(*this); };
  p.synchronize = [this](const std::function<void()>& call) {
    std::unique_lock<std::mutex> l(m_);
    ui_.push_back(&call);
    cv_.notify_all();
    cv_.wait(l, [&] { return std::find(ui_.begin(), ui_.end(), &call) == ui_.end(); });
  };
  p.postThreadDone = [this] {
    std::lock_guard<std::mutex> l(m_);
    ++doneMessages;
  };
  return p;
}

int DownloadBench::serve(int limit) {
  int served = 0;
  std::unique_lock<std::mutex> l(m_);
  while (served < limit && (cv_.wait_for(l, 20ms, [&] { return !ui_.empty(); }))) {
    const std::function<void()>* call = ui_.front();
    l.unlock();
    (*call)();
    l.lock();
    ui_.pop_front();
    ++served;
    cv_.notify_all();
  }
  return served;
}

void DownloadBench::serveUntilIdle(const guide::dlCtrl& queue) {
  for (auto until = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < until;) {
    serve();
    std::lock_guard<std::mutex> l(m_);
    if (queue.threadCount() == 0 && ui_.empty()) return;
  }
}

void DownloadBench::hold(bool on) {
  std::lock_guard<std::mutex> l(m_);
  held_ = on;
  cv_.notify_all();
}

void DownloadBench::holdClose(bool on) {
  std::lock_guard<std::mutex> l(m_);
  closeHeld_ = on;
  cv_.notify_all();
}

void DownloadBench::waitClosing() {
  std::unique_lock<std::mutex> l(m_);
  cv_.wait_for(l, 5s, [&] { return closing_ > 0; });
}

size_t DownloadBench::opened() const {
  std::lock_guard<std::mutex> l(m_);
  return opened_.size();
}

void DownloadBench::waitPending(size_t n) {
  std::unique_lock<std::mutex> l(m_);
  cv_.wait_for(l, 5s, [&] { return ui_.size() >= n; });
}
