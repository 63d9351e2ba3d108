#include "browser/refused_host.h"

#include <windows.h>

#include <vector>

#include "store/strings.h"

bool IsRefusedHostPath(const std::string& executable_path) {
  return ToLower(executable_path).find("explorer.exe") != std::string::npos;
}

std::string HostExecutablePath() {
  // A path cut at MAX_PATH could lose exactly the "explorer.exe" at its end,
  // so the buffer grows until the whole name fits.
  std::vector<char> buffer(MAX_PATH);
  while (buffer.size() <= 32768) {
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return "";
    if (length < size) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
  return "";
}
