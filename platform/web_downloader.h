#pragma once

#include <cstddef>
#include <memory>
#include <string>

// Fetches whole documents over the network and writes blocks of memory to
// files. Stateless: each call stands alone. On Windows it is WinINet, in the
// native build libcurl; both give the same observable results.
class WebDownloader {
 public:
  virtual ~WebDownloader() = default;

  // The whole body at `address`, whatever the status of the answer. False,
  // with `data` left empty, when nothing arrived: the address could not be
  // opened, the host is unreachable, the answer was empty, or memory ran out.
  // The limits of download_limits.h hold: a download that misses its
  // deadline, a server silent for longer than the receive time-out, more
  // redirects than allowed, or a body larger than `max_bytes` (announced or
  // received) also give nothing, and no more than about `max_bytes` is ever
  // held. A connection that the server breaks off midway keeps what arrived
  // before it.
  virtual bool DownloadToMemory(const std::string& address, std::size_t max_bytes,
                                std::string* data) = 0;

  // Writes exactly `size` bytes to `path`, creating or truncating it. False
  // when the file cannot be opened or written.
  virtual bool SaveToFile(const std::string& path, const char* data, std::size_t size) = 0;
};

// The platform's own downloader.
std::unique_ptr<WebDownloader> CreateWebDownloader();
