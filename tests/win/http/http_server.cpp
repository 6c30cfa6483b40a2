#include "http_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <stdexcept>

namespace testhttp {

namespace {

void sendAll(SOCKET s, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const int n = send(s, bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

Server::Server() {
  static const int winsock = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data);
  }();
  (void)winsock;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(s, 64) != 0)
    throw std::runtime_error("test HTTP server: cannot listen");
  int length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  listener_ = s;
  acceptor_ = std::thread([this] { acceptLoop(); });
}

Server::~Server() {
  stopping_ = true;
  closesocket(static_cast<SOCKET>(listener_));
  acceptor_.join();
  for (std::thread& worker : workers_) worker.join();
}

void Server::script(const std::string& pathAndQuery, Reply reply) {
  std::lock_guard<std::mutex> hold(lock_);
  replies_[pathAndQuery] = std::move(reply);
}

std::string Server::url(const std::string& pathAndQuery) const {
  return "http://127.0.0.1:" + std::to_string(port_) + pathAndQuery;
}

int Server::peakConnections() const {
  std::lock_guard<std::mutex> hold(lock_);
  return peak_;
}

std::vector<std::string> Server::requests() const {
  std::lock_guard<std::mutex> hold(lock_);
  return requests_;
}

void Server::resetCounts() {
  std::lock_guard<std::mutex> hold(lock_);
  requests_.clear();
  peak_ = open_;
}

void Server::acceptLoop() {
  while (!stopping_) {
    SOCKET c = accept(static_cast<SOCKET>(listener_), nullptr, nullptr);
    if (c == INVALID_SOCKET) continue;  // closed at stop, or a failed accept
    std::lock_guard<std::mutex> hold(lock_);
    if (stopping_) {
      closesocket(c);
      break;
    }
    ++open_;
    if (open_ > peak_) peak_ = open_;
    workers_.emplace_back([this, c] { serve(c); });
  }
}

void Server::serve(uintptr_t connection) {
  const SOCKET c = static_cast<SOCKET>(connection);
  // A client that never ends its request or never closes must not hold the server at its end.
  DWORD timeout = 5000;
  setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  std::string request;
  char chunk[1024];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    const int n = recv(c, chunk, sizeof chunk, 0);
    if (n <= 0) break;
    request.append(chunk, static_cast<size_t>(n));
  }
  // "GET /path?query HTTP/1.1"
  const size_t first = request.find(' ');
  const size_t second = first == std::string::npos ? first : request.find(' ', first + 1);
  const std::string path = second == std::string::npos ? "" : request.substr(first + 1, second - first - 1);
  Reply reply{404, "not found"};
  {
    std::lock_guard<std::mutex> hold(lock_);
    requests_.push_back(path);
    auto found = replies_.find(path);
    if (found != replies_.end()) reply = found->second;
  }
  if (reply.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
  std::string answer = "HTTP/1.1 " + std::to_string(reply.status) + (reply.status == 200 ? " OK" : " Error") +
                       "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(reply.body.size()) +
                       "\r\nConnection: close\r\n\r\n";
  answer += reply.body.substr(0, reply.cutAfter);
  {
    // Counted until the answer goes out: the client's next connection cannot come before it, as
    // it can before this thread sees the client's close.
    std::lock_guard<std::mutex> hold(lock_);
    --open_;
  }
  sendAll(c, answer);
  shutdown(c, SD_SEND);
  while (recv(c, chunk, sizeof chunk, 0) > 0) {
  }
  closesocket(c);
}

}  // namespace testhttp
