#include "images/button_picture_cutter.h"

ButtonPictureCutter::ButtonPictureCutter(HWND window, HBITMAP strip, int width, int height)
    : window_(window), strip_(strip), width_(width), height_(height) {}

void ButtonPictureCutter::Begin() {
  window_dc_ = GetWindowDc(window_);
  source_dc_ = MakeMemoryDc(window_dc_.get());
  target_dc_ = MakeMemoryDc(window_dc_.get());
  strip_selected_ = Select(source_dc_.get(), strip_);
  LOGBRUSH style = {BS_SOLID, GetSysColor(COLOR_BTNFACE), 0};
  face_brush_.reset(CreateBrushIndirect(&style));
  brush_selected_ = Select(target_dc_.get(), face_brush_.get());
}

HBITMAP ButtonPictureCutter::Cut(int index) {
  if (index < 0) return nullptr;
  if (window_dc_ == nullptr) Begin();
  // Compatible with the window's DC, not with the strip: the picture takes
  // the colour format of the device it is shown on. What lies beyond the
  // strip stays as the new bitmap was made.
  HBITMAP picture = CreateCompatibleBitmap(window_dc_.get(), width_, height_);
  if (picture == nullptr) return nullptr;
  // Deselected again, so that the button can select it into its own DC to
  // paint.
  const SelectedObject selected = Select(target_dc_.get(), picture);
  HDC target = target_dc_.get();
  BitBlt(target, 0, 0, width_, height_, source_dc_.get(), index * width_, 0, SRCCOPY);
  ExtFloodFill(target, 0, 0, GetPixel(target, 0, 0), FLOODFILLSURFACE);
  return picture;
}
