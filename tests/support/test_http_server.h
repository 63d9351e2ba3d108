#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>

// A small HTTP/1.1 server for tests: listens on 127.0.0.1 at a port the
// system picks, answers each request on a background thread with the
// response set for its path (the request target as sent, query included),
// and closes the connection after every answer. Unknown paths get a 404.
class TestHttpServer {
 public:
  TestHttpServer() = default;
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  bool Start();  // 127.0.0.1, ephemeral port
  void Stop();
  int port() const;
  std::string Url(const std::string& path) const;  // "http://127.0.0.1:PORT" + path
  void SetResponse(const std::string& path, int status, const std::string& body);
  int RequestCount(const std::string& path) const;  // requests seen for that path

 private:
  struct Response {
    int status;
    std::string body;
  };

  void Serve();
  void Answer(std::intptr_t connection);
  Response Lookup(const std::string& path);

  std::intptr_t listener_ = -1;
  int port_ = 0;
  bool started_ = false;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
  mutable std::mutex mutex_;
  std::map<std::string, Response> responses_;
  std::map<std::string, int> counts_;
};
