#include "dl_ctrl.h"

#include <algorithm>

#include "common/sjis.h"
#include "guidepane/texts/download_texts.h"

namespace guide {

dlCtrl::dlCtrl(DownloadView& view, DownloadPorts ports) : view_(view), ports_(std::move(ports)) {}

dlCtrl::~dlCtrl() {
  // The owner has served the workers' last calls through shutdown; what still runs was
  // cancelled and ends without waiting for this thread.
  {
    std::lock_guard<std::mutex> l(lock_);
    aborted_ = true;
    closing_ = true;
    for (HttpTransfer* t : inFlight_) t->cancel();
  }
  for (std::thread& t : threads_) t.join();
}

void dlCtrl::beginDownload() {
  imagePosition_ = 0;
  int claimed = 0;
  {
    // Jobs an abort left pending are fetched by this download's workers: they count in it.
    std::lock_guard<std::mutex> l(lock_);
    imageMaximum_ = static_cast<int>(pending_.size());
    aborted_ = false;
    claimed = claimWorkers(jobs_.size());
  }
  dropped_ = 0;
  view_.setImageProgress(0, 0);
  startWorkers(claimed);
}

void dlCtrl::add(const std::string& address, const std::string& target) {
  joinEnded();
  if (ports_.files.exists(target)) return;
  if (!ports_.files.makeFolders(tavora::sjis::folderOf(target))) {
    view_.message(texts::kFolderCreateFailed);
    return;
  }
  const std::string key = ports_.files.key ? ports_.files.key(target) : target;
  bool queued = false;
  int claimed = 0;
  {
    // One lock decides and queues: a target stays pending until its file is written or its
    // job is dropped, so a job found pending is sure to be fetched by a worker taking jobs.
    std::lock_guard<std::mutex> l(lock_);
    // Two pages share the image, two addresses end alike, or an abort left it queued.
    queued = pending_.count(key) != 0;
    // Jobs an abort left queued are taken up again by this enqueue's workers.
    aborted_ = false;
    if (!queued) {
      jobs_.push_back({address, target, key});
      pending_.insert(key);
    }
    claimed = claimWorkers(jobs_.empty() ? 0 : 1);
  }
  if (!queued) view_.setImageProgress(imagePosition_, ++imageMaximum_);
  startWorkers(claimed);
}

int dlCtrl::claimWorkers(size_t wanted) {
  // Workers that have left their loop take no more jobs, whether or not they have
  // unregistered yet: count only those still taking.
  int claimed = 0;
  for (; static_cast<size_t>(claimed) < wanted && takers_ < kMaxThreads; ++claimed) {
    ++takers_;
    ++alive_;
  }
  peak_ = std::max(peak_, takers_);
  return claimed;
}

void dlCtrl::startWorkers(int claimed) {
  for (int i = 0; i < claimed; ++i) {
    ++count_;
    view_.log(texts::kThreadCreated + std::to_string(count_));
    threads_.emplace_back([this] { run(); });
  }
}

void dlCtrl::abort() {
  std::lock_guard<std::mutex> l(lock_);
  aborted_ = true;
}

int dlCtrl::peakWorkers() const {
  std::lock_guard<std::mutex> l(lock_);
  return peak_;
}

void dlCtrl::logOnUi(std::string line) {
  onUi([this, &line] { view_.log(line); });
}

void dlCtrl::run() {
  std::unique_lock<std::mutex> l(lock_);
  while (!jobs_.empty() && !aborted_) {
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    l.unlock();
    Outcome outcome = downloadOne(job);
    bool exhausted = false;
    l.lock();
    if (outcome == Outcome::aborted) {
      // Not finished: first in line for the workers of the next enqueue, which may have come.
      jobs_.push_front(std::move(job));
      continue;
    }
    if (outcome == Outcome::failed) {
      if (++job.tries < kTries) {
        jobs_.push_back(std::move(job));
        continue;
      }
      exhausted = true;
      outcome = Outcome::dropped;
    }
    pending_.erase(job.key);
    if (outcome == Outcome::dropped) {
      l.unlock();
      onUi([&] {
        ++dropped_;
        if (exhausted) view_.log(texts::kJobDropped + job.address);
      });
      l.lock();
    }
  }
  --takers_;
  l.unlock();
  onUi([this] {
    --count_;
    view_.log(texts::kThreadDestroyed + std::to_string(count_));
  });
  // Posted after the count dropped, so the dialog sees the new count.
  ports_.postThreadDone();
  l.lock();
  --alive_;
  endedIds_.push_back(std::this_thread::get_id());
  l.unlock();
}

dlCtrl::Outcome dlCtrl::downloadOne(const Job& job) {
  onUi([&] { view_.showAddress(job.address); });
  auto step = [this] { view_.setImageProgress(++imagePosition_, imageMaximum_); };
  if (ports_.files.exists(job.target)) {
    onUi(step);
    return Outcome::done;
  }
  std::unique_ptr<HttpTransfer> transfer = ports_.newTransfer();
  {
    std::lock_guard<std::mutex> l(lock_);
    inFlight_.insert(transfer.get());
    if (closing_) transfer->cancel();
  }
  struct Untrack {
    dlCtrl& queue;
    HttpTransfer* transfer;
    ~Untrack() {
      std::lock_guard<std::mutex> l(queue.lock_);
      queue.inFlight_.erase(transfer);
    }
  } untrack{*this, transfer.get()};

  switch (transfer->open(job.address)) {
    case HttpTransfer::Opened::internetOpenFailed:
      logOnUi(texts::kWorkerInternetOpenFailed);
      return Outcome::failed;
    case HttpTransfer::Opened::openUrlFailed:
      logOnUi(texts::kOpenUrlFailed);
      return Outcome::failed;
    case HttpTransfer::Opened::statusQueryFailed:
      logOnUi(std::string(texts::kStatusFailed) + "0");
      return Outcome::failed;
    case HttpTransfer::Opened::ok:
      break;
  }
  if (transfer->status() != 200) {
    logOnUi(texts::kStatusFailed + std::to_string(transfer->status()));
    return Outcome::failed;
  }
  // The body is kept in memory and written at once beside the target, so that a failed or
  // aborted transfer leaves no file that a later run would count as fetched.
  std::vector<uint8_t> body;
  char buffer[kChunk];
  for (;;) {
    long n = transfer->read(buffer, kChunk);
    if (n < 0 || body.size() + static_cast<size_t>(n) > kMaxBody) {
      logOnUi(texts::kWorkerReadFailed);
      return Outcome::failed;
    }
    if (n == 0) break;
    body.insert(body.end(), buffer, buffer + n);
    std::lock_guard<std::mutex> l(lock_);
    if (aborted_) return Outcome::aborted;
  }
  if (std::optional<uint64_t> length = transfer->contentLength(); length && body.size() < *length) {
    logOnUi(texts::kBodyCutShort);
    return Outcome::failed;
  }
  const tavora::WriteResult written = ports_.files.write(job.target, body);
  if (written.failedStep == tavora::WriteStep::write) {
    logOnUi(texts::kFileWriteFailed);
    return Outcome::failed;
  }
  if (!written) {
    onUi([&] {
      view_.log(job.target);
      view_.log(texts::kFileCreateFailed);
    });
    return Outcome::dropped;
  }
  onUi(step);
  return Outcome::done;
}

void dlCtrl::joinEnded() {
  std::vector<std::thread::id> ended;
  {
    std::lock_guard<std::mutex> l(lock_);
    ended.swap(endedIds_);
  }
  for (std::thread::id id : ended) {
    auto it = std::find_if(threads_.begin(), threads_.end(), [id](const std::thread& t) { return t.get_id() == id; });
    if (it == threads_.end()) continue;
    it->join();
    threads_.erase(it);
  }
}

bool dlCtrl::shutdown(const std::function<void()>& serveOnce, std::chrono::milliseconds limit) {
  {
    std::lock_guard<std::mutex> l(lock_);
    aborted_ = true;
    closing_ = true;
    for (HttpTransfer* t : inFlight_) t->cancel();
  }
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    {
      std::lock_guard<std::mutex> l(lock_);
      if (alive_ == 0) break;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      abandoned_ = true;
      return false;
    }
    serveOnce();
  }
  joinEnded();
  return true;
}

}  // namespace guide
