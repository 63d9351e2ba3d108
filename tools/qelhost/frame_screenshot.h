#pragma once

#include <windows.h>

#include <string>

// The frame as the user sees it, written as a PNG through the Windows
// Imaging Component.
class FrameScreenshot {
 public:
  // False with the reason in `reason`.
  static bool Save(HWND window, const std::string& path, std::string* reason);
};
