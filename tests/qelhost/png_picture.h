#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A PNG file read back through the Windows Imaging Component, so tests can
// look at what the host painted.
class PngPicture {
 public:
  // False when the file is no readable PNG.
  bool Load(const std::string& path);

  int width() const { return width_; }
  int height() const { return height_; }
  // The pixel as RGB(r, g, b).
  COLORREF At(int x, int y) const;
  // The first row (from the top) that holds a pixel of that colour; -1 when
  // none does.
  int FirstRowWith(COLORREF colour) const;
  int Count(COLORREF colour) const;

 private:
  bool Decode(const std::string& path);

  int width_ = 0;
  int height_ = 0;
  std::vector<BYTE> pixels_;  // blue, green, red; rows top first, no padding
};
