#include "images/bitmap_operations.h"

#include <cstdio>

#include "images/button_picture_cutter.h"
#include "platform/gdi_handles.h"

bool DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y) {
  const MemoryDc memory_dc = MakeMemoryDc(dc);
  const SelectedObject selected = Select(memory_dc.get(), bitmap);
  BITMAP info = {};
  GetObjectA(bitmap, sizeof(info), &info);
  return BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory_dc.get(), 0, 0, SRCCOPY) != FALSE;
}

HBITMAP CropBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
  const MemoryDc source_dc = MakeMemoryDc(dc);
  const MemoryDc target_dc = MakeMemoryDc(dc);
  // Compatible with `dc`, not with the strip: the picture takes the colour
  // format of the device it is shown on.
  HBITMAP cropped = CreateCompatibleBitmap(dc, width, height);
  const SelectedObject source = Select(source_dc.get(), bitmap);
  const SelectedObject target = Select(target_dc.get(), cropped);
  BitBlt(target_dc.get(), 0, 0, width, height, source_dc.get(), x, y, SRCCOPY);
  return cropped;
}

HDC MemoryDcHoldingBitmap(HBITMAP bitmap) {
  HDC memory_dc = CreateCompatibleDC(GetWindowDc(GetDesktopWindow()).get());
  SelectObject(memory_dc, bitmap);
  return memory_dc;
}

void ReleaseMemoryDc(HDC memory_dc) {
  // Swapping in a throw-away bitmap frees the caller's bitmap from the DC, so
  // it can be selected into another DC later (as the button's paint does).
  const GdiObject<HBITMAP> placeholder(CreateBitmap(1, 1, 1, 1, nullptr));
  SelectObject(memory_dc, placeholder.get());
  DeleteDC(memory_dc);
}

void FillBackground(HDC dc, int x, int y, COLORREF colour) {
  LOGBRUSH style = {BS_SOLID, colour, 0};
  const GdiObject<HBRUSH> brush(CreateBrushIndirect(&style));
  const SelectedObject selected = Select(dc, brush.get());
  COLORREF background = GetPixel(dc, x, y);
  ExtFloodFill(dc, x, y, background, FLOODFILLSURFACE);
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
