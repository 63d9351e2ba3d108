#pragma once

#include <windows.h>

#include <string>

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
  // the line height used; the window keeps its height.
  int Recenter(int strip_height);
  void Show(bool visible);

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
  // The height the box gives its line: the sample "World Wide Web" measured
  // with its font (terminating zero included, as captions are measured), the
  // extent's height times 1.2, and that times 1.2 again. 0 without a font.
  int LineHeight() const;

  HWND window_ = nullptr;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::string name_;
  HFONT font_ = nullptr;
};
