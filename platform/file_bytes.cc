#include "platform/file_bytes.h"

#include <fstream>

bool WriteFileBytes(const std::string& path, const char* data, std::size_t size) {
  if (data == nullptr && size > 0) return false;
  std::ofstream file(path, std::ios::out | std::ios::binary | std::ios::trunc);
  if (!file.is_open()) return false;
  if (size > 0) file.write(data, static_cast<std::streamsize>(size));
  file.close();
  return !file.fail();
}
