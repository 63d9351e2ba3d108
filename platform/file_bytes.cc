#include "platform/file_bytes.h"

#include <cstdio>

// C streams rather than iostreams, as in the store's file reading: no C++
// locale is set up inside the module.
bool WriteFileBytes(const std::string& path, const char* data, std::size_t size) {
  if (data == nullptr && size > 0) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}
