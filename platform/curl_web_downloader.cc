#include "platform/curl_web_downloader.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "platform/download_limits.h"
#include "platform/file_bytes.h"
#include "store/strings.h"

namespace {

constexpr char kAgent[] = "Microsoft Internet Explorer";
constexpr char kProtocols[] = "http,https";

// The pieces as curl hands them over, joined once at the end so that no
// block is ever grown while the transfer runs.
struct Received {
  std::size_t max_bytes = 0;
  std::vector<std::string> pieces;
  std::size_t total = 0;
  bool refused = false;  // too large, or out of memory
};

extern "C" size_t CollectPiece(char* bytes, size_t size, size_t count, void* user) {
  Received* received = static_cast<Received*>(user);
  size_t length = size * count;
  // Returning less than given makes curl stop the transfer.
  if (length > received->max_bytes - received->total) {
    received->refused = true;
    return 0;
  }
  try {
    received->pieces.emplace_back(bytes, length);
  } catch (const std::bad_alloc&) {
    received->refused = true;
    return 0;
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

// Our own limits give nothing; a connection broken off midway keeps what
// arrived before it, as with WinINet.
bool KeepsWhatArrived(CURLcode result) {
  switch (result) {
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_TOO_MANY_REDIRECTS:
    case CURLE_FILESIZE_EXCEEDED:
    case CURLE_WRITE_ERROR:
      return false;
    default:
      return true;
  }
}

}  // namespace

bool CurlWebDownloader::DownloadToMemory(const std::string& address, std::size_t max_bytes,
                                         std::string* data) {
  data->clear();
  if (!InitializeCurl()) return false;
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (!easy) return false;
  Received received;
  received.max_bytes = max_bytes;
  CURL* handle = easy.get();
  curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, kProtocols);
  // Redirects never lead from https down to http.
  bool secure = address.size() >= 6 && EqualsNoCase(address.substr(0, 6), "https:");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : kProtocols);
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_USERAGENT, kAgent);
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, static_cast<long>(download_limits::kMaxRedirects));
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(download_limits::kConnectTimeoutMs));
  curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(download_limits::kDeadlineMs));
  // A server silent for the receive time-out ends the transfer.
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME,
                   static_cast<long>((download_limits::kReceiveTimeoutMs + 999) / 1000));
  curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(max_bytes));
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, CollectPiece);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &received);
  // The status of the answer is not examined: an error page is data too.
  CURLcode result = curl_easy_perform(handle);
  if (!KeepsWhatArrived(result) || received.refused || received.total == 0) return false;
  return Join(received, data);
}

bool CurlWebDownloader::SaveToFile(const std::string& path, const char* data, std::size_t size) {
  return WriteFileBytes(path, data, size);
}

std::unique_ptr<WebDownloader> CreateWebDownloader() {
  return std::make_unique<CurlWebDownloader>();
}
