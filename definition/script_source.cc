#include "definition/script_source.h"

#include <memory>

#include "platform/download_limits.h"
#include "platform/web_downloader.h"
#include "store/strings.h"

bool ReadScriptFile(const std::string& path, std::vector<std::string>* lines) {
  if (path.empty()) return false;
  return ReadLines(path, true, lines, download_limits::kMaxDefinitionBytes);
}

bool DownloadScript(const std::string& address, std::vector<std::string>* lines) {
  std::string data;
  {
    std::unique_ptr<WebDownloader> downloader = CreateWebDownloader();
    if (!downloader ||
        !downloader->DownloadToMemory(address, download_limits::kMaxDefinitionBytes, &data)) {
      return false;
    }
  }
  std::size_t zero = data.find('\0');
  if (zero != std::string::npos) data.resize(zero);
  Split(data, "\n", lines);
  return true;
}
