#include "store/object_file.h"

#include <algorithm>
#include <cstdio>

// A write or close that fails (a full disk) is reported like a failed open:
// a truncated file must not pass for a saved one. C streams, as in
// ReadFileBytes: no iostream, hence no C++ locale, in the module.
bool WriteLines(const std::string& file_name, const std::vector<std::string>& lines) {
  std::FILE* file = std::fopen(file_name.c_str(), "wb");
  if (file == nullptr) return false;
  bool written = true;
  for (const std::string& line : lines) {
    written = written && std::fwrite(line.data(), 1, line.size(), file) == line.size() &&
              std::fwrite("\r\n", 1, 2, file) == 2;
  }
  return std::fclose(file) == 0 && written;
}

// Extra keys or values without a partner are left out.
std::string JoinPairs(const std::vector<std::string>& keys, const std::vector<std::string>& values,
                      const std::string& pair_separator, const std::string& key_value_separator) {
  std::string joined;
  const std::size_t count = std::min(keys.size(), values.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) joined += pair_separator;
    joined += keys[i];
    joined += key_value_separator;
    joined += values[i];
  }
  return joined;
}
