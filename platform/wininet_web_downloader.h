#pragma once

#include <cstddef>
#include <string>

#include "platform/web_downloader.h"

// WebDownloader over WinINet, with the browser's agent string, the system's
// proxy and cache settings, and reads of at most 65,535 bytes joined once at
// the end. The transfer runs on a worker thread of its own so that the
// caller's wait ends at the deadline whatever the server does.
class WinInetWebDownloader : public WebDownloader {
 public:
  bool DownloadToMemory(const std::string& address, std::size_t max_bytes,
                        std::string* data) override;
  bool SaveToFile(const std::string& path, const char* data, std::size_t size) override;
};
