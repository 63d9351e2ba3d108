#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Subclasses a window for a test and keeps every message its window
// procedure receives, before passing it on unchanged.
class WindowSpy {
 public:
  explicit WindowSpy(HWND window);
  ~WindowSpy();
  WindowSpy(const WindowSpy&) = delete;
  WindowSpy& operator=(const WindowSpy&) = delete;

  // The received messages with this number and, unless 0, this wParam.
  int Count(UINT message, WPARAM wparam = 0) const;
  void Clear() { received.clear(); }

  std::vector<MSG> received;

 private:
  static LRESULT CALLBACK SpyProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_;
  WNDPROC original_ = nullptr;
};

// Dispatches messages without TranslateMessage until `done` holds, as the
// browser's loop treats the keys its accelerators take: no character is made
// from them. False after a generous bound.
bool PumpUntranslatedUntil(const std::function<bool()>& done);
