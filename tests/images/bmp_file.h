#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The bytes of a bottom-up 24-bit Windows bitmap file whose pixel (x, y),
// y counted from the top, has the colour `pixel` gives.
std::string BitmapFileBytes(int width, int height, const std::function<COLORREF(int, int)>& pixel);

// A top-down 32-bit DIB section, as the image strip loads pictures, whose
// pixel (x, y) is `pixel` (0x00RRGGBB, as DIB pixels are); nullptr when GDI
// makes none.
HBITMAP DibSection(int width, int height, const std::function<DWORD(int, int)>& pixel);

// Writes `bytes` to `path`; false when that fails.
bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
