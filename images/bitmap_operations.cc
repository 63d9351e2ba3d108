#include "images/bitmap_operations.h"

#include <cstdio>

#include "images/button_picture_cutter.h"

bool DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y) {
  HDC memory_dc = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory_dc, bitmap);
  BITMAP info = {};
  GetObjectA(bitmap, sizeof(info), &info);
  BOOL drawn = BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory_dc, 0, 0, SRCCOPY);
  SelectObject(memory_dc, previous);
  DeleteDC(memory_dc);
  return drawn != FALSE;
}

HBITMAP CropBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
  HDC source_dc = CreateCompatibleDC(dc);
  HDC target_dc = CreateCompatibleDC(dc);
  // Compatible with `dc`, not with the strip: the picture takes the colour
  // format of the device it is shown on.
  HBITMAP cropped = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ previous_source = SelectObject(source_dc, bitmap);
  HGDIOBJ previous_target = SelectObject(target_dc, cropped);
  BitBlt(target_dc, 0, 0, width, height, source_dc, x, y, SRCCOPY);
  SelectObject(source_dc, previous_source);
  SelectObject(target_dc, previous_target);
  DeleteDC(source_dc);
  DeleteDC(target_dc);
  return cropped;
}

HDC MemoryDcHoldingBitmap(HBITMAP bitmap) {
  HWND desktop = GetDesktopWindow();
  HDC desktop_dc = GetDC(desktop);
  HDC memory_dc = CreateCompatibleDC(desktop_dc);
  ReleaseDC(desktop, desktop_dc);
  SelectObject(memory_dc, bitmap);
  return memory_dc;
}

void ReleaseMemoryDc(HDC memory_dc) {
  // Swapping in a throw-away bitmap frees the caller's bitmap from the DC, so
  // it can be selected into another DC later (as the button's paint does).
  HBITMAP placeholder = CreateBitmap(1, 1, 1, 1, nullptr);
  SelectObject(memory_dc, placeholder);
  DeleteDC(memory_dc);
  DeleteObject(placeholder);
}

void FillBackground(HDC dc, int x, int y, COLORREF colour) {
  LOGBRUSH style = {BS_SOLID, colour, 0};
  HBRUSH brush = CreateBrushIndirect(&style);
  HGDIOBJ previous = SelectObject(dc, brush);
  COLORREF background = GetPixel(dc, x, y);
  ExtFloodFill(dc, x, y, background, FLOODFILLSURFACE);
  SelectObject(dc, previous);
  DeleteObject(brush);
}

bool FileExists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

HBITMAP ButtonPicture(HWND window, HBITMAP strip, int width, int height, int index) {
  return ButtonPictureCutter(window, strip, width, height).Cut(index);
}
