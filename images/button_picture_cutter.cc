#include "images/button_picture_cutter.h"

ButtonPictureCutter::ButtonPictureCutter(HWND window, HBITMAP strip, int width, int height)
    : window_(window), strip_(strip), width_(width), height_(height) {}

ButtonPictureCutter::~ButtonPictureCutter() {
  if (window_dc_ == nullptr) return;
  SelectObject(source_dc_, source_original_);
  SelectObject(target_dc_, target_original_bitmap_);
  SelectObject(target_dc_, target_original_brush_);
  DeleteDC(source_dc_);
  DeleteDC(target_dc_);
  DeleteObject(face_brush_);
  ReleaseDC(window_, window_dc_);
}

void ButtonPictureCutter::Begin() {
  window_dc_ = GetDC(window_);
  source_dc_ = CreateCompatibleDC(window_dc_);
  target_dc_ = CreateCompatibleDC(window_dc_);
  source_original_ = SelectObject(source_dc_, strip_);
  LOGBRUSH style = {BS_SOLID, GetSysColor(COLOR_BTNFACE), 0};
  face_brush_ = CreateBrushIndirect(&style);
  target_original_brush_ = SelectObject(target_dc_, face_brush_);
}

HBITMAP ButtonPictureCutter::Cut(int index) {
  if (index < 0) return nullptr;
  if (window_dc_ == nullptr) Begin();
  // Compatible with the window's DC, not with the strip: the picture takes
  // the colour format of the device it is shown on. What lies beyond the
  // strip stays as the new bitmap was made.
  HBITMAP picture = CreateCompatibleBitmap(window_dc_, width_, height_);
  if (picture == nullptr) return nullptr;
  HGDIOBJ previous = SelectObject(target_dc_, picture);
  if (target_original_bitmap_ == nullptr) target_original_bitmap_ = previous;
  BitBlt(target_dc_, 0, 0, width_, height_, source_dc_, index * width_, 0, SRCCOPY);
  ExtFloodFill(target_dc_, 0, 0, GetPixel(target_dc_, 0, 0), FLOODFILLSURFACE);
  // Deselected, so that the button can select it into its own DC to paint.
  SelectObject(target_dc_, target_original_bitmap_);
  return picture;
}
