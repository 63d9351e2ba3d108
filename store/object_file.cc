#include "store/object_file.h"

#include <algorithm>
#include <fstream>

// A write or close that fails (a full disk) is reported like a failed open:
// a truncated file must not pass for a saved one.
bool WriteLines(const std::string& file_name, const std::vector<std::string>& lines) {
  std::ofstream file(file_name, std::ios::out | std::ios::binary | std::ios::trunc);
  if (!file.is_open()) return false;
  for (const std::string& line : lines) {
    file.write(line.data(), static_cast<std::streamsize>(line.size()));
    file.write("\r\n", 2);
  }
  file.close();
  return !file.fail();
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
