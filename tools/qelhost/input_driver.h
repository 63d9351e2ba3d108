#pragma once

#include <windows.h>

#include <string>

// Real input through SendInput: the mouse and keyboard events enter the
// system's input queue as a user's would, so windows see the same message
// sequence (capture, focus, the thread's message hooks) as with a person at
// the keyboard.
class InputDriver {
 public:
  // Puts the cursor on the point (screen coordinates) with a mouse move, so
  // a window that holds the capture sees the cursor leave.
  static bool MoveTo(int x, int y);
  static bool ButtonDown();
  static bool ButtonUp();
  // Key down and key up, `count` times.
  static bool PressKey(WORD virtual_key, int count);
  // Each character as a Unicode key stroke.
  static bool TypeText(const std::wstring& text);
};
