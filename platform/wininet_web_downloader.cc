#include "platform/wininet_web_downloader.h"

#include "platform/file_bytes.h"

#include <windows.h>
#include <wininet.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr char kAgent[] = "Microsoft Internet Explorer";
constexpr DWORD kChunkSize = 65535;

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

struct Chunk {
  std::unique_ptr<char[]> bytes;
  DWORD count;
};

// Reads the whole answer into `data`. False when nothing arrived or memory
// ran out; a read that fails midway keeps what came before it.
bool ReadAll(HINTERNET url, std::string* data) {
  std::vector<Chunk> chunks;
  std::size_t total = 0;
  for (;;) {
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[kChunkSize]);
    if (!bytes) return false;
    DWORD count = 0;
    if (!InternetReadFile(url, bytes.get(), kChunkSize, &count) || count == 0) break;
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

}  // namespace

bool WinInetWebDownloader::DownloadToMemory(const std::string& address, std::string* data) {
  data->clear();
  InternetHandle internet(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (internet.get() == nullptr) return false;
  // Declared after `internet`, so the address handle is closed first.
  InternetHandle url(InternetOpenUrlA(internet.get(), address.c_str(), nullptr, 0, 0, 0));
  if (url.get() == nullptr) return false;
  bool received = false;
  try {
    received = ReadAll(url.get(), data);
  } catch (const std::bad_alloc&) {
    // A download must never take its host down: no memory, no data.
    received = false;
  }
  if (!received) data->clear();
  return received;
}

bool WinInetWebDownloader::SaveToFile(const std::string& path, const char* data, std::size_t size) {
  return WriteFileBytes(path, data, size);
}

std::unique_ptr<WebDownloader> CreateWebDownloader() {
  return std::make_unique<WinInetWebDownloader>();
}
