#include "platform/window_text.h"

std::string ClassNameOf(HWND window) {
  // Class names are at most 256 characters long.
  char name[257];
  const int length = GetClassNameA(window, name, sizeof(name));
  return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : "";
}

std::string WindowTextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return "";
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, &text[0], length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}
