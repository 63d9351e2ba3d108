#pragma once

#include <windows.h>

#include <string>

// A text box of the toolbar: the platform's single-line "Edit" window in the
// toolbar strip. It has no window procedure of its own; the strip handles its
// notices and its Enter and Backspace keys.
class TextBoxControl {
 public:
  TextBoxControl() = default;
  ~TextBoxControl();
  TextBoxControl(const TextBoxControl&) = delete;
  TextBoxControl& operator=(const TextBoxControl&) = delete;

  // Creates the empty edit window once. False without a parent or when the
  // window could not be made.
  bool Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
              const std::string& name);
  // Takes ownership of `font`, deleting the one held before.
  void SetFont(HFONT font);
  void SetX(int x) { x_ = x; }
  void SetWidth(int width) { width_ = width; }
  // Centres the box vertically in a strip `strip_height` high, one line of
  // its font high, and returns that height.
  int Recenter(int strip_height);
  void Show(bool visible);

  HWND window() const { return window_; }
  const std::string& name() const { return name_; }
  int x() const { return x_; }
  int y() const { return y_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  HWND window_ = nullptr;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::string name_;
  HWND parent_ = nullptr;
  HINSTANCE instance_ = nullptr;
  HFONT font_ = nullptr;
};
