#pragma once

#include <windows.h>

#include <string>

#include "toolbar/input_control.h"

// A text box of the toolbar: the platform's single-line "Edit" window in the
// toolbar strip. The strip handles its notices and its Enter and Backspace
// keys.
class TextBoxControl : public InputControl {
 public:
  TextBoxControl() = default;

  // Creates the empty edit window once. False without a parent or when the
  // window could not be made.
  bool Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
              const std::string& name);
  // Centres the box vertically in a strip `strip_height` high, one line of
  // its font high, and returns that height; measured through `dc` (the
  // window's own DC when null).
  int Recenter(int strip_height, HDC dc = nullptr);
};
