// A small HTTP server on 127.0.0.1, run inside a Windows test: each path (with its query) gets
// a scripted answer (status, body, a delay before it, a body cut short); other paths get 404.
// It counts the peak of simultaneous connections (each from its accept to its answer) and keeps
// the paths asked for, in order.
#pragma once

#include <atomic>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testhttp {

struct Reply {
  int status = 200;
  std::string body;
  int delayMs = 0;  // before the answer is sent
  // Only this many bytes of the body are sent (the length header still names the whole), then
  // the connection closes.
  size_t cutAfter = std::string::npos;
};

class Server {
 public:
  Server();  // listens on a free port at once
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  void script(const std::string& pathAndQuery, Reply reply);
  int port() const { return port_; }
  // "http://127.0.0.1:port" + pathAndQuery.
  std::string url(const std::string& pathAndQuery) const;
  int peakConnections() const;
  std::vector<std::string> requests() const;
  void resetCounts();

 private:
  void acceptLoop();
  void serve(uintptr_t connection);

  uintptr_t listener_;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex lock_;
  std::map<std::string, Reply> replies_;
  std::vector<std::string> requests_;
  int open_ = 0;
  int peak_ = 0;
  std::vector<std::thread> workers_;
  std::thread acceptor_;
};

}  // namespace testhttp
