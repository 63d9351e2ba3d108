#pragma once

#include <windows.h>

#include <string>

#include "platform/gdi_handles.h"

// What a text box and a combo box of the toolbar share: a platform window in
// the toolbar strip (they have no window procedure of their own; the strip
// handles their notices and keys), its place, its name and the font it owns.
class InputControl {
 public:
  ~InputControl();
  InputControl(const InputControl&) = delete;
  InputControl& operator=(const InputControl&) = delete;

  // Takes ownership of `font`, deleting the one held before.
  void SetFont(HFONT font);
  void SetX(int x) { x_ = x; }
  void SetWidth(int width) { width_ = width; }
  // Centres the box vertically in a strip `strip_height` high and returns
  // the line height used, measured through `dc` (the window's own DC when
  // null); the window keeps its height and moves only when its place
  // changed.
  int Recenter(int strip_height, HDC dc = nullptr);
  void Show(bool visible);

  // The height a box with `font` gives its line: the CaptionExtent height of
  // the sample "World Wide Web" through `dc`, times 1.2 again. 0 without a
  // font. Lets the strip make a box in its place at once.
  static int LineHeightOf(HDC dc, HFONT font);
  // The top of a box whose line is `line_height` high, centred in a strip
  // `strip_height` high.
  static int CenteredTop(int strip_height, int line_height);

  HWND window() const { return window_; }
  const std::string& name() const { return name_; }
  int x() const { return x_; }
  int y() const { return y_; }
  int width() const { return width_; }
  int height() const { return height_; }

 protected:
  InputControl() = default;

  // Makes the window of `window_class` once. False without a parent or when
  // the window could not be made.
  bool CreateWindowOf(const char* window_class, DWORD style, HINSTANCE instance, HWND parent, int x,
                      int y, int width, int height, const std::string& name);
  // LineHeightOf the box's font, through `dc` or the window's own DC.
  int LineHeight(HDC dc) const;
  // Puts the box at the centred top for `line_height` and applies its place.
  void Place(int strip_height, int line_height);

  HWND window_ = nullptr;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::string name_;
  GdiObject<HFONT> font_;
};
