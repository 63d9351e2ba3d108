#pragma once

#include <windows.h>

#include <string>

#include "platform/gdi_handles.h"

// The one bitmap that holds every button picture side by side. It is read
// from a local file, or downloaded and kept as a cache file in a directory
// the caller names (beside the module), and held until replaced or destroyed.
class ImageStrip {
 public:
  ImageStrip() = default;
  ImageStrip(const ImageStrip&) = delete;
  ImageStrip& operator=(const ImageStrip&) = delete;

  // Replaces the bitmap held by the one `location` names:
  // - a location beginning with "." is a file relative to `base_directory`,
  //   read without the network or the cache;
  // - any other location is an address whose last "/" segment names the
  //   cache file in `cache_directory`. That file is read when it exists and
  //   `refresh` is false and it passes the checks of bitmap_file_check.h;
  //   otherwise the address is downloaded into it first, and a failed
  //   download fails the load even when a cache file exists. A downloaded
  //   strip that fails the checks is not saved.
  // Every file is checked before the platform's loader reads it.
  // A cache name that is not a plain Windows file name (path separators, ":",
  // reserved device names, "..", control characters ...) fails the load
  // before anything is read, downloaded or written. False, holding no bitmap,
  // on any failure.
  bool Load(const std::string& cache_directory, const std::string& location,
            const std::string& base_directory, bool refresh);

  HBITMAP bitmap() const { return bitmap_.get(); }
  // Meaningful after a successful Load only.
  int width() const { return width_; }
  int height() const { return height_; }

  // The name a location's cache file gets: the text after its last "/", or
  // the whole location when there is none or nothing follows it.
  static std::string CacheFileName(const std::string& location);
  // True when `name` can only name a file directly inside a directory.
  static bool IsSafeFileName(const std::string& name);

 private:
  HBITMAP Obtain(const std::string& cache_directory, const std::string& location,
                 const std::string& base_directory, bool refresh) const;

  GdiObject<HBITMAP> bitmap_;
  int width_ = 0;
  int height_ = 0;
};
