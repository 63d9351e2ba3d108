#include "platform/wininet_web_downloader.h"

#include "platform/download_limits.h"
#include "platform/file_bytes.h"

#include <windows.h>
#include <wininet.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr char kAgent[] = "Microsoft Internet Explorer";
constexpr DWORD kChunkSize = 65535;
// Longer Location headers are not followed.
constexpr DWORD kMaxLocationLength = 8192;

// Closes a WinINet handle on every way out of the download.
class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
  ~InternetHandle() {
    if (handle_ != nullptr) InternetCloseHandle(handle_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return handle_; }

 private:
  HINTERNET handle_;
};

// One download, shared by the thread that asked for it and the worker thread
// that carries it out. WinINet's synchronous calls cannot be given an overall
// deadline (a name lookup, or a server that answers a byte at a time, holds
// them for as long as it likes), so the asking thread waits for the worker
// only until the deadline and then leaves it behind. The last of the two to
// let go deletes the transfer.
struct Transfer {
  std::string address;
  std::size_t max_bytes = 0;
  ULONGLONG deadline = 0;    // GetTickCount64
  HMODULE module = nullptr;  // keeps our code loaded while the worker runs
  HANDLE finished = nullptr;
  LONG holders = 2;
  volatile LONG abandoned = 0;
  bool received = false;
  std::string data;

  ~Transfer() {
    if (finished != nullptr) CloseHandle(finished);
  }
  bool GivenUp() const { return abandoned != 0 || GetTickCount64() >= deadline; }
};

void LetGo(Transfer* transfer) {
  if (InterlockedDecrement(&transfer->holders) == 0) delete transfer;
}

struct Chunk {
  std::unique_ptr<char[]> bytes;
  DWORD count;
};

// A time-out is one of our limits and gives nothing; any other failed read
// is the connection breaking off, which keeps what came before it.
bool TimedOut() { return GetLastError() == ERROR_INTERNET_TIMEOUT; }

// Reads the whole answer into `data`. Each read takes only what has arrived,
// so the deadline is looked at between reads however slowly the server
// sends. False when nothing arrived, a limit was reached or memory ran out.
bool ReadAll(HINTERNET url, Transfer* transfer, std::string* data) {
  std::vector<Chunk> chunks;
  std::size_t total = 0;
  for (;;) {
    if (transfer->GivenUp()) return false;
    DWORD available = 0;
    if (!InternetQueryDataAvailable(url, &available, 0, 0)) {
      if (TimedOut()) return false;
      break;
    }
    if (available == 0) break;
    DWORD wanted = available < kChunkSize ? available : kChunkSize;
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[wanted]);
    if (!bytes) return false;
    DWORD count = 0;
    if (!InternetReadFile(url, bytes.get(), wanted, &count)) {
      if (TimedOut()) return false;
      break;
    }
    if (count == 0) break;
    if (count > transfer->max_bytes - total) return false;
    chunks.push_back(Chunk{std::move(bytes), count});
    total += count;
  }
  if (total == 0) return false;
  data->resize(total);
  std::size_t offset = 0;
  for (Chunk& chunk : chunks) {
    std::memcpy(&(*data)[offset], chunk.bytes.get(), chunk.count);
    offset += chunk.count;
    chunk.bytes.reset();
  }
  return true;
}

bool QueryText(HINTERNET url, DWORD what, std::string* text) {
  std::vector<char> buffer(kMaxLocationLength + 1);
  DWORD length = kMaxLocationLength;
  if (!HttpQueryInfoA(url, what, buffer.data(), &length, nullptr)) return false;
  text->assign(buffer.data(), length);
  return true;
}

// The body length the server announced; 0 when it announced none.
unsigned long long AnnouncedLength(HINTERNET url) {
  std::string text;
  if (!QueryText(url, HTTP_QUERY_CONTENT_LENGTH, &text)) return 0;
  return std::strtoull(text.c_str(), nullptr, 10);
}

INTERNET_SCHEME SchemeOf(const std::string& address) {
  URL_COMPONENTSA parts = {};
  parts.dwStructSize = sizeof(parts);
  if (!InternetCrackUrlA(address.c_str(), 0, 0, &parts)) return INTERNET_SCHEME_UNKNOWN;
  return parts.nScheme;
}

enum class Redirect { kNone, kFollow, kRefuse };

// Whether the answer sends us elsewhere, and where. Only http and https are
// followed, and never from https down to http.
Redirect RedirectTarget(HINTERNET url, const std::string& address, std::string* target) {
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!HttpQueryInfoA(url, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                      nullptr)) {
    return Redirect::kNone;
  }
  if (status != 301 && status != 302 && status != 303 && status != 307 && status != 308) {
    return Redirect::kNone;
  }
  std::string location;
  if (!QueryText(url, HTTP_QUERY_LOCATION, &location) || location.empty()) return Redirect::kNone;
  std::vector<char> combined(kMaxLocationLength + 1);
  DWORD length = kMaxLocationLength;
  if (!InternetCombineUrlA(address.c_str(), location.c_str(), combined.data(), &length, 0)) {
    return Redirect::kRefuse;
  }
  target->assign(combined.data(), length);
  INTERNET_SCHEME from = SchemeOf(address);
  INTERNET_SCHEME to = SchemeOf(*target);
  if (to != INTERNET_SCHEME_HTTP && to != INTERNET_SCHEME_HTTPS) return Redirect::kRefuse;
  if (from == INTERNET_SCHEME_HTTPS && to == INTERNET_SCHEME_HTTP) return Redirect::kRefuse;
  return Redirect::kFollow;
}

void SetTimeouts(HINTERNET internet) {
  DWORD connect = download_limits::kConnectTimeoutMs;
  DWORD receive = download_limits::kReceiveTimeoutMs;
  InternetSetOptionA(internet, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof(connect));
  InternetSetOptionA(internet, INTERNET_OPTION_SEND_TIMEOUT, &receive, sizeof(receive));
  InternetSetOptionA(internet, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof(receive));
}

// The download itself, on the worker thread.
bool Fetch(Transfer* transfer, std::string* data) {
  InternetHandle internet(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (internet.get() == nullptr) return false;
  SetTimeouts(internet.get());
  std::string address = transfer->address;
  for (int redirects = 0;; ++redirects) {
    // Redirects are followed here rather than by WinINet, which follows a
    // server that redirects to itself for ever.
    InternetHandle url(InternetOpenUrlA(internet.get(), address.c_str(), nullptr, 0,
                                        INTERNET_FLAG_NO_AUTO_REDIRECT, 0));
    if (url.get() == nullptr || transfer->GivenUp()) return false;
    std::string target;
    switch (RedirectTarget(url.get(), address, &target)) {
      case Redirect::kFollow:
        if (redirects == download_limits::kMaxRedirects) return false;
        address = target;
        continue;
      case Redirect::kRefuse:
        return false;
      case Redirect::kNone:
        break;
    }
    if (AnnouncedLength(url.get()) > transfer->max_bytes) return false;
    return ReadAll(url.get(), transfer, data);
  }
}

DWORD WINAPI RunTransfer(void* parameter) {
  Transfer* transfer = static_cast<Transfer*>(parameter);
  HMODULE module = transfer->module;
  std::string data;
  bool received = false;
  try {
    received = Fetch(transfer, &data);
  } catch (const std::bad_alloc&) {
    // A download must never take its host down: no memory, no data.
    received = false;
  }
  // Handed over only when the caller still waits, and within the deadline.
  if (received && !transfer->GivenUp()) {
    transfer->data.swap(data);
    transfer->received = true;
  }
  SetEvent(transfer->finished);
  LetGo(transfer);
  FreeLibraryAndExitThread(module, 0);
}

}  // namespace

bool WinInetWebDownloader::DownloadToMemory(const std::string& address, std::size_t max_bytes,
                                            std::string* data) {
  data->clear();
  Transfer* transfer = new (std::nothrow) Transfer;
  if (transfer == nullptr) return false;
  try {
    transfer->address = address;
  } catch (const std::bad_alloc&) {
    delete transfer;
    return false;
  }
  transfer->max_bytes = max_bytes;
  transfer->deadline = GetTickCount64() + download_limits::kDeadlineMs;
  transfer->finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  // The worker may outlive this call, and the browser may unload the
  // toolbar meanwhile: the worker holds a reference to our module.
  if (transfer->finished == nullptr ||
      !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCSTR>(&RunTransfer), &transfer->module)) {
    delete transfer;
    return false;
  }
  HANDLE worker = CreateThread(nullptr, 0, RunTransfer, transfer, 0, nullptr);
  if (worker == nullptr) {
    FreeLibrary(transfer->module);
    delete transfer;
    return false;
  }
  CloseHandle(worker);

  bool received = false;
  if (WaitForSingleObject(transfer->finished, download_limits::kDeadlineMs) == WAIT_OBJECT_0) {
    received = transfer->received;
    if (received) data->swap(transfer->data);
  } else {
    InterlockedExchange(&transfer->abandoned, 1);
  }
  LetGo(transfer);
  return received;
}

bool WinInetWebDownloader::SaveToFile(const std::string& path, const char* data, std::size_t size) {
  return WriteFileBytes(path, data, size);
}

std::unique_ptr<WebDownloader> CreateWebDownloader() {
  return std::make_unique<WinInetWebDownloader>();
}
