#pragma once

#include <windows.h>

// Held by every test that moves the pointer, presses mouse buttons or reads
// pixels back from the screen. Test processes run side by side in one Wine
// session and share its single desktop, pointer and foreground; a named
// mutex lets one of them at a time use it.
class DesktopLock {
 public:
  DesktopLock();
  ~DesktopLock();
  DesktopLock(const DesktopLock&) = delete;
  DesktopLock& operator=(const DesktopLock&) = delete;

  bool held() const { return held_; }

 private:
  HANDLE mutex_ = nullptr;
  bool held_ = false;
};
