#include "platform/curl_web_downloader.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "platform/file_bytes.h"

namespace {

constexpr char kAgent[] = "Microsoft Internet Explorer";
constexpr char kProtocols[] = "http,https";
constexpr long kConnectTimeoutSeconds = 60;
// Ends a transfer that has stalled for this long, as WinINet's own receive
// time-out does.
constexpr long kStallSeconds = 60;

// The pieces as curl hands them over, joined once at the end so that no
// block is ever grown while the transfer runs.
struct Received {
  std::vector<std::string> pieces;
  std::size_t total = 0;
  bool out_of_memory = false;
};

extern "C" size_t CollectPiece(char* bytes, size_t size, size_t count, void* user) {
  Received* received = static_cast<Received*>(user);
  size_t length = size * count;
  try {
    received->pieces.emplace_back(bytes, length);
  } catch (const std::bad_alloc&) {
    received->out_of_memory = true;
    return 0;  // makes curl stop the transfer
  }
  received->total += length;
  return length;
}

// curl_global_init is not thread-safe; run it once for the process.
bool InitializeCurl() {
  static std::once_flag once;
  static bool initialized = false;
  std::call_once(once, [] { initialized = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
  return initialized;
}

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

bool Join(const Received& received, std::string* data) {
  try {
    data->reserve(received.total);
    for (const std::string& piece : received.pieces) data->append(piece);
  } catch (const std::bad_alloc&) {
    data->clear();
    return false;
  }
  return true;
}

}  // namespace

bool CurlWebDownloader::DownloadToMemory(const std::string& address, std::string* data) {
  data->clear();
  if (!InitializeCurl()) return false;
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (!easy) return false;
  Received received;
  CURL* handle = easy.get();
  curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, kProtocols);
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, kProtocols);
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_USERAGENT, kAgent);
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, CollectPiece);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &received);
  // The status of the answer is not examined: an error page is data too. A
  // transfer that breaks off midway keeps what arrived before it.
  curl_easy_perform(handle);
  if (received.out_of_memory || received.total == 0) return false;
  return Join(received, data);
}

bool CurlWebDownloader::SaveToFile(const std::string& path, const char* data, std::size_t size) {
  return WriteFileBytes(path, data, size);
}

std::unique_ptr<WebDownloader> CreateWebDownloader() {
  return std::make_unique<CurlWebDownloader>();
}
