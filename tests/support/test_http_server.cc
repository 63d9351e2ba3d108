#include "tests/support/test_http_server.h"

#include <cstring>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
using SocketHandle = SOCKET;
using SocketLength = int;
constexpr SocketHandle kNoSocket = INVALID_SOCKET;
constexpr int kShutdownWrite = SD_SEND;
constexpr int kSendFlags = 0;
void CloseSocket(SocketHandle s) { closesocket(s); }
#else
using SocketHandle = int;
using SocketLength = socklen_t;
constexpr SocketHandle kNoSocket = -1;
constexpr int kShutdownWrite = SHUT_WR;
// A client that hangs up early must not end the test with SIGPIPE.
constexpr int kSendFlags = MSG_NOSIGNAL;
void CloseSocket(SocketHandle s) { close(s); }
#endif

// How often the accept loop looks at the stop flag.
constexpr long kPollMicroseconds = 50 * 1000;
// A client that sends nothing for this long loses its connection.
constexpr long kIdleSeconds = 5;
// Requests larger than this are cut off; tests send only small GETs.
constexpr std::size_t kMaxRequestBytes = 64 * 1024;
// Generated bodies go out in pieces of this size.
constexpr std::size_t kPieceBytes = 1 << 20;
// Each send waits for room and takes no more than this, so that a client
// that stops reading never holds a connection thread past Stop.
constexpr int kSendBytes = 16 * 1024;
constexpr long kDripMilliseconds = 1000;

SocketHandle ToSocket(std::intptr_t value) { return static_cast<SocketHandle>(value); }

// True when `s` has something to read (or has closed) within the time.
bool WaitReadable(SocketHandle s, long seconds, long microseconds) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(s, &readable);
  timeval timeout;
  timeout.tv_sec = seconds;
  timeout.tv_usec = microseconds;
  // The first argument is ignored by Winsock.
  return select(static_cast<int>(s) + 1, &readable, nullptr, nullptr, &timeout) > 0;
}

bool WaitWritable(SocketHandle s, long microseconds) {
  fd_set writable;
  FD_ZERO(&writable);
  FD_SET(s, &writable);
  timeval timeout;
  timeout.tv_sec = 0;
  timeout.tv_usec = microseconds;
  return select(static_cast<int>(s) + 1, nullptr, &writable, nullptr, &timeout) > 0;
}

const char* ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 301:
      return "Moved Permanently";
    case 302:
      return "Found";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    default:
      return "Status";
  }
}

std::string Head(int status, const std::string& fields) {
  return "HTTP/1.1 " + std::to_string(status) + " " + ReasonPhrase(status) +
         "\r\nContent-Type: text/plain\r\n" + fields +
         "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
}

std::string LengthField(std::uint64_t length) {
  return "Content-Length: " + std::to_string(length) + "\r\n";
}

}  // namespace

TestHttpServer::~TestHttpServer() { Stop(); }

bool TestHttpServer::Start() {
  if (started_) return false;
#ifdef _WIN32
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return false;
#endif
  SocketHandle s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == kNoSocket) {
#ifdef _WIN32
    WSACleanup();
#endif
    return false;
  }
  sockaddr_in address;
  std::memset(&address, 0, sizeof(address));
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  SocketLength length = sizeof(address);
  if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(s, 16) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    CloseSocket(s);
#ifdef _WIN32
    WSACleanup();
#endif
    return false;
  }
  listener_ = static_cast<std::intptr_t>(s);
  port_ = ntohs(address.sin_port);
  stopping_ = false;
  started_ = true;
  thread_ = std::thread(&TestHttpServer::Serve, this);
  return true;
}

void TestHttpServer::Stop() {
  if (!started_) return;
  stopping_ = true;
  thread_.join();
  CloseSocket(ToSocket(listener_));
  listener_ = -1;
  started_ = false;
#ifdef _WIN32
  WSACleanup();
#endif
}

int TestHttpServer::port() const { return port_; }

std::string TestHttpServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void TestHttpServer::SetResponse(const std::string& path, int status, const std::string& body) {
  std::lock_guard<std::mutex> lock(mutex_);
  Response response;
  response.status = status;
  response.body = body;
  responses_[path] = response;
}

int TestHttpServer::RequestCount(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = counts_.find(path);
  return found == counts_.end() ? 0 : found->second;
}

void TestHttpServer::SetFault(const std::string& path, Fault fault, const std::string& body,
                              std::uint64_t size) {
  std::lock_guard<std::mutex> lock(mutex_);
  Response response;
  response.body = body;
  response.fault = fault;
  response.size = size;
  responses_[path] = response;
}

void TestHttpServer::Serve() {
  SocketHandle listener = ToSocket(listener_);
  while (!stopping_) {
    if (!WaitReadable(listener, 0, kPollMicroseconds)) continue;
    SocketHandle connection = accept(listener, nullptr, nullptr);
    if (connection == kNoSocket) continue;
    // A connection held open must not keep the next one waiting.
    connections_.emplace_back(&TestHttpServer::Answer, this,
                              static_cast<std::intptr_t>(connection));
  }
  JoinConnections();
}

void TestHttpServer::JoinConnections() {
  for (std::thread& connection : connections_) connection.join();
  connections_.clear();
}

bool TestHttpServer::SendAll(std::intptr_t handle, const std::string& bytes) {
  SocketHandle connection = ToSocket(handle);
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    if (stopping_) return false;
    if (!WaitWritable(connection, kPollMicroseconds)) continue;
    std::size_t left = bytes.size() - sent;
    int piece = left > static_cast<std::size_t>(kSendBytes) ? kSendBytes : static_cast<int>(left);
    int n = static_cast<int>(send(connection, bytes.data() + sent, piece, kSendFlags));
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

bool TestHttpServer::HoldOpen(std::intptr_t handle, long milliseconds) {
  SocketHandle connection = ToSocket(handle);
  char buffer[4096];
  for (long waited = 0; milliseconds < 0 || waited < milliseconds; waited += 50) {
    if (stopping_) return false;
    if (WaitReadable(connection, 0, 50 * 1000) &&
        recv(connection, buffer, sizeof(buffer), 0) <= 0) {
      return false;  // the client hung up
    }
  }
  return !stopping_;
}

void TestHttpServer::Misbehave(std::intptr_t handle, const std::string& path,
                               const Response& response) {
  SocketHandle connection = ToSocket(handle);
  const std::string& body = response.body;
  const std::string half = body.substr(0, body.size() / 2);
  switch (response.fault) {
    case Fault::kNone:
      break;
    case Fault::kSilent:
      HoldOpen(handle, -1);
      break;
    case Fault::kStallMidBody:
      if (SendAll(handle, Head(200, LengthField(body.size())) + half)) HoldOpen(handle, -1);
      break;
    case Fault::kDrip: {
      std::string answer = Head(200, LengthField(body.size())) + body;
      for (char c : answer) {
        if (!SendAll(handle, std::string(1, c)) || !HoldOpen(handle, kDripMilliseconds)) break;
      }
      break;
    }
    case Fault::kRedirectToSelf:
      SendAll(handle, Head(302, "Location: " + path + "\r\n" + LengthField(0)));
      break;
    case Fault::kRedirectTo:
      SendAll(handle, Head(302, "Location: " + body + "\r\n" + LengthField(0)));
      break;
    case Fault::kHugeBody:
    case Fault::kHugeUnannounced: {
      bool announced = response.fault == Fault::kHugeBody;
      if (!SendAll(handle, Head(200, announced ? LengthField(response.size) : ""))) break;
      const std::string piece(kPieceBytes, 'x');
      for (std::uint64_t sent = 0; sent < response.size && !stopping_; sent += piece.size()) {
        std::uint64_t left = response.size - sent;
        if (!SendAll(handle, left < piece.size() ? piece.substr(0, left) : piece)) break;
      }
      break;
    }
    case Fault::kLongerLength:
      SendAll(handle, Head(200, LengthField(2 * body.size())) + body);
      break;
    case Fault::kHugeLength:
      SendAll(handle, Head(200, LengthField(response.size)) + body);
      break;
    case Fault::kReset: {
      if (!SendAll(handle, Head(200, LengthField(body.size())) + half)) break;
      // Time for the client to take the half, then a reset instead of a close.
      HoldOpen(handle, 500);
      linger reset = {};
      reset.l_onoff = 1;
      reset.l_linger = 0;
      setsockopt(connection, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset),
                 sizeof(reset));
      CloseSocket(connection);
      return;
    }
  }
  shutdown(connection, kShutdownWrite);
  CloseSocket(connection);
}

TestHttpServer::Response TestHttpServer::Lookup(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  ++counts_[path];
  auto found = responses_.find(path);
  if (found == responses_.end()) {
    Response not_found;
    not_found.status = 404;
    not_found.body = "<html><body>Not found</body></html>";
    return not_found;
  }
  return found->second;
}

void TestHttpServer::Answer(std::intptr_t handle) {
  SocketHandle connection = ToSocket(handle);
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequestBytes) {
    if (!WaitReadable(connection, kIdleSeconds, 0)) break;
    int n = static_cast<int>(recv(connection, buffer, sizeof(buffer), 0));
    if (n <= 0) break;
    request.append(buffer, static_cast<std::size_t>(n));
  }
  // Request line: METHOD SP TARGET SP VERSION.
  std::size_t first_space = request.find(' ');
  std::size_t second_space =
      first_space == std::string::npos ? std::string::npos : request.find(' ', first_space + 1);
  if (second_space != std::string::npos) {
    std::string method = request.substr(0, first_space);
    std::string path = request.substr(first_space + 1, second_space - first_space - 1);
    Response response = Lookup(path);
    if (response.fault != Fault::kNone) {
      Misbehave(handle, path, response);
      return;
    }
    std::string head = Head(response.status, LengthField(response.body.size()));
    if (method != "HEAD") head += response.body;
    SendAll(handle, head);
  }
  // Finish sending before closing, and read what the client still sends, so
  // that the close does not reset the connection under unread data.
  shutdown(connection, kShutdownWrite);
  while (WaitReadable(connection, 1, 0)) {
    if (recv(connection, buffer, sizeof(buffer), 0) <= 0) break;
  }
  CloseSocket(connection);
}
