// One stand-in for everything the table download talks to: the dialog (its calls logged as
// lines), the user-interface thread serving the workers' synchronised calls, a site whose
// answers can be held back, and files kept in memory.
#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "guidepane/core/dl_ctrl.h"

struct Answer {
  unsigned status = 200;
  std::string body;
  bool cutShort = false;  // announces more than it sends
};

class DownloadBench : public guide::DownloadView {
 public:
  // DownloadView: every call is one line.
  void navigate(const std::string& a) override {
    calls.push_back("navigate " + a);
    navigated = a;
  }
  void stopBrowser() override { calls.push_back("stop"); }
  void message(const std::string& t) override { calls.push_back("box " + t); }
  void setDownloadingCaption(bool d) override { calls.push_back(d ? "caption stop" : "caption start"); }
  void showAddress(const std::string&) override {}
  void setPageProgress(int p, int m) override { pages = {p, m}; }
  void setImageProgress(int p, int m) override { images = {p, m}; }
  void log(const std::string& line) override { logged.push_back(line); }
  void updateDateButtons() override { calls.push_back("dates"); }

  guide::DownloadPorts ports();
  // Runs the queued synchronised calls (at most limit) on this thread, waiting a little for one.
  int serve(int limit = 1000);
  // Serves until the workers have unregistered and their done messages came.
  void serveUntilIdle(const guide::dlCtrl& queue);
  void hold(bool on);
  // A slow close: each transfer's handles take until release to go; waits for one closing.
  void holdClose(bool on);
  void waitClosing();
  size_t opened() const;
  // Waits until n synchronised calls are queued.
  void waitPending(size_t n);

  std::vector<std::string> calls, logged;
  std::string navigated;
  std::pair<int, int> pages, images;
  std::map<std::string, Answer> site;
  std::map<std::string, std::vector<uint8_t>> files;
  int peak = 0, doneMessages = 0;

 private:
  friend class FakeTransfer;
  mutable std::mutex m_;
  std::condition_variable cv_;
  std::deque<const std::function<void()>*> ui_;
  std::vector<std::string> opened_;
  bool held_ = false, closeHeld_ = false;
  int closing_ = 0;
  int active_ = 0;
};
