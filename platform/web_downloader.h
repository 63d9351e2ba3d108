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
  virtual bool DownloadToMemory(const std::string& address, std::string* data) = 0;

  // Writes exactly `size` bytes to `path`, creating or truncating it. False
  // when the file cannot be opened or written.
  virtual bool SaveToFile(const std::string& path, const char* data, std::size_t size) = 0;
};

// The platform's own downloader.
std::unique_ptr<WebDownloader> CreateWebDownloader();
