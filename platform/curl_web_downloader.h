#pragma once

#include <cstddef>
#include <string>

#include "platform/web_downloader.h"

// WebDownloader over libcurl for the native build, giving what the WinINet
// one gives: the body whatever the status, nothing for an empty answer or an
// unreachable host, the same limits and redirects, only http and https.
class CurlWebDownloader : public WebDownloader {
 public:
  bool DownloadToMemory(const std::string& address, std::size_t max_bytes,
                        std::string* data) override;
  bool SaveToFile(const std::string& path, const char* data, std::size_t size) override;
};
