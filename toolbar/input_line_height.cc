#include "toolbar/input_line_height.h"

namespace {
const char kSample[] = "World Wide Web";
}

int InputLineHeight(HWND window, HFONT font) {
  int measured = 0;
  if (font != nullptr) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, kSample, static_cast<int>(sizeof(kSample)), &extent);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    measured = static_cast<int>(extent.cy * 1.2);
  }
  // Single precision on purpose: the second factor is the float 1.2.
  return static_cast<int>(static_cast<float>(measured) * 1.2f);
}
