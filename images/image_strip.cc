#include "images/image_strip.h"

#include <memory>

#include "images/bitmap_file_check.h"
#include "images/bitmap_operations.h"
#include "platform/download_limits.h"
#include "platform/web_downloader.h"
#include "store/strings.h"

namespace {

bool IsAcceptableStrip(const std::string& bytes) {
  return IsAcceptableStripFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// A DIB section of the file's own size. The platform's loader trusts what
// the file says of itself, so it only sees files that passed the checks.
HBITMAP LoadBitmapFile(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, download_limits::kMaxImageStripBytes, &bytes) ||
      !IsAcceptableStrip(bytes)) {
    return nullptr;
  }
  return static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_CREATEDIBSECTION));
}

std::string ResolveAgainst(const std::string& location, const std::string& base_directory) {
  if (location.find(':') != std::string::npos || base_directory.empty()) return Trim(location);
  return base_directory + "\\" + Trim(location);
}

bool IsReservedDeviceName(const std::string& name) {
  // Windows maps these names to devices whatever the extension and case.
  std::string stem = ToLower(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  static const char* const kDevices[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
  for (const char* device : kDevices) {
    if (stem == device) return true;
  }
  if (stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0)) {
    return stem[3] >= '0' && stem[3] <= '9';
  }
  return false;
}

}  // namespace

bool ImageStrip::Load(const std::string& cache_directory, const std::string& location,
                      const std::string& base_directory, bool refresh) {
  bitmap_.reset();
  bitmap_.reset(Obtain(cache_directory, location, base_directory, refresh));
  if (bitmap_ == nullptr) return false;
  BITMAP info = {};
  GetObjectA(bitmap_.get(), sizeof(info), &info);
  width_ = info.bmWidth;
  height_ = info.bmHeight;
  return true;
}

HBITMAP ImageStrip::Obtain(const std::string& cache_directory, const std::string& location,
                           const std::string& base_directory, bool refresh) const {
  if (location.empty()) return nullptr;
  if (location[0] == '.') return LoadBitmapFile(ResolveAgainst(location, base_directory));

  // The name comes from whoever serves the definition: it must not lead the
  // cache read or write out of the cache directory, nor to a device.
  std::string file_name = CacheFileName(location);
  if (cache_directory.empty() || !IsSafeFileName(file_name)) return nullptr;
  std::string cache_path = cache_directory + "\\" + file_name;
  if (!refresh && FileExists(cache_path)) {
    HBITMAP cached = LoadBitmapFile(cache_path);
    if (cached != nullptr) return cached;
    // A cache file that fails the checks (cut short, or sent broken by a
    // server that has been mended since) is fetched anew, as if missing.
  }

  std::unique_ptr<WebDownloader> downloader = CreateWebDownloader();
  std::string data;
  if (!downloader->DownloadToMemory(location, download_limits::kMaxImageStripBytes, &data) ||
      data.empty()) {
    return nullptr;
  }
  // A broken answer must not replace a cache file, good or not.
  if (!IsAcceptableStrip(data)) return nullptr;
  // A failed save leaves whatever lies at the cache path to be loaded.
  downloader->SaveToFile(cache_path, data.data(), data.size());
  return LoadBitmapFile(cache_path);
}

std::string ImageStrip::CacheFileName(const std::string& location) {
  std::string name;
  SplitAtLastOf(location, "/", &name);
  return name;
}

bool ImageStrip::IsSafeFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (unsigned char c : name) {
    if (c < 0x20) return false;
    switch (c) {
      case '\\':
      case '/':
      case ':':
      case '*':
      case '?':
      case '"':
      case '<':
      case '>':
      case '|':
        return false;
      default:
        break;
    }
  }
  // Windows drops trailing dots and spaces, so such a name means another file.
  if (name.back() == '.' || name.back() == ' ') return false;
  return !IsReservedDeviceName(name);
}
