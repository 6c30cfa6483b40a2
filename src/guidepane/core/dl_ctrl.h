// The download queue shared by the table download and up to eight worker threads. The lists and
// the abort flag live under one lock; the worker count, the progress and the log are touched on
// the user-interface thread only, which the workers reach through the synchronised call.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "common/fileio.h"
#include "download_view.h"

namespace guide {

// One file's transfer, as the internet functions give it. open, status, read and the destructor
// run on the worker; cancel may come from the user-interface thread while a read blocks.
class HttpTransfer {
 public:
  enum class Opened { ok, internetOpenFailed, openUrlFailed, statusQueryFailed };
  virtual ~HttpTransfer() = default;
  virtual Opened open(const std::string& address) = 0;
  virtual unsigned status() const = 0;
  // The announced length of the body, when the answer has one.
  virtual std::optional<uint64_t> contentLength() const = 0;
  // Bytes read (0 at the end of the body), or -1 when the read failed.
  virtual long read(char* buffer, unsigned long size) = 0;
  // Makes a blocked or later read fail.
  virtual void cancel() = 0;
};

struct DownloadFiles {
  std::function<bool(const std::string& path)> exists;
  // Creates the folder and every missing level above it.
  std::function<bool(const std::string& folder)> makeFolders;
  // Writes beside the target and replaces it, so that a failure leaves no file behind; a
  // failure names its step.
  std::function<tavora::WriteResult(const std::string& path, const std::vector<uint8_t>& bytes)> write;
  // The same text for every spelling of one file, as the file system compares names (Windows
  // ignores case); unset, paths are compared as they are.
  std::function<std::string(const std::string& path)> key;
};

struct DownloadPorts {
  DownloadFiles files;
  std::function<std::unique_ptr<HttpTransfer>()> newTransfer;
  // Runs the call on the user-interface thread and returns when it has run.
  std::function<void(const std::function<void()>&)> synchronize;
  // Posts DL_THREAD_DONE to the dialog.
  std::function<void()> postThreadDone;
};

class dlCtrl {
 public:
  static constexpr int kMaxThreads = 8;
  static constexpr int kTries = 3;
  static constexpr size_t kChunk = 1024;
  static constexpr size_t kMaxBody = 64u << 20;

  dlCtrl(DownloadView& view, DownloadPorts ports);
  // Aborts and waits for the workers (see shutdown).
  ~dlCtrl();
  dlCtrl(const dlCtrl&) = delete;
  dlCtrl& operator=(const dlCtrl&) = delete;

  // On the user-interface thread: queues the file unless it exists or is queued or in flight.
  void add(const std::string& address, const std::string& target);
  void abort();
  // The workers registered on the user-interface thread.
  int threadCount() const { return count_; }
  // Jobs given up since the last reset (after three tries, or not writable).
  int dropped() const { return dropped_; }
  // A new download: the image progress and the dropped count start again, and the jobs an abort
  // left queued are taken up at once, though no page of this download may ask for them.
  void beginDownload();
  // At exit: aborts, cancels the transfers in flight and waits until every worker has ended or
  // limit has passed. serveOnce serves the workers' synchronised calls while waiting. After a
  // false result the workers left reach the view no more, and the queue must outlive them: the
  // owner leaves it (and what its ports use) to the ending program.
  bool shutdown(const std::function<void()>& serveOnce, std::chrono::milliseconds limit);

  // The peak of workers taking jobs at once (for the bench and the tests).
  int peakWorkers() const;

 private:
  struct Job {
    std::string address, target, key;
    int tries = 0;
  };
  enum class Outcome { done, failed, dropped, aborted };

  void run();
  Outcome downloadOne(const Job& job);
  void onUi(const std::function<void()>& call) {
    ports_.synchronize([&] {
      if (!abandoned_) call();
    });
  }
  void logOnUi(std::string line);
  void joinEnded();
  // Under the lock: claims up to wanted more workers for the queued jobs, at most kMaxThreads.
  int claimWorkers(size_t wanted);
  // Registers and starts the workers claimed.
  void startWorkers(int claimed);

  DownloadView& view_;
  DownloadPorts ports_;

  mutable std::mutex lock_;
  std::deque<Job> jobs_;
  std::set<std::string> pending_;  // keys of targets queued or in flight, until written or dropped
  std::set<HttpTransfer*> inFlight_;
  bool aborted_ = false;
  bool closing_ = false;  // at exit: transfers are cancelled as they start
  int takers_ = 0;  // workers still taking jobs
  int peak_ = 0;
  int alive_ = 0;   // worker threads not yet at their end
  std::vector<std::thread> threads_;
  std::vector<std::thread::id> endedIds_;

  // User-interface thread only.
  int count_ = 0;
  int imagePosition_ = 0, imageMaximum_ = 0;
  int dropped_ = 0;
  bool abandoned_ = false;  // shutdown gave up waiting: the view may be gone
};

}  // namespace guide
