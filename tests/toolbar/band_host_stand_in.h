#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A topmost popup standing in for the band host window: the parent of a
// toolbar strip under test (or the owner of a menu). It keeps, copied at
// once, everything the strip posts or sends to it and every key that
// reaches it.
class BandHostStandIn {
 public:
  struct Notice {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    std::string text;  // the text, entry name or click record's name carried
  };

  BandHostStandIn() = default;
  ~BandHostStandIn();
  BandHostStandIn(const BandHostStandIn&) = delete;
  BandHostStandIn& operator=(const BandHostStandIn&) = delete;

  // Shown topmost and in the foreground.
  bool Create(int x, int y, int width, int height);
  HWND window() const { return window_; }

  // Pumps messages until everything posted to this window before the call
  // has arrived. False if that took unreasonably long.
  bool Settle();
  // The notices of one kind, in arrival order.
  std::vector<Notice> Of(UINT message) const;
  void Clear();

  // UM_* notices, WM_COMMAND and UM_MENUCLOSED, in arrival order.
  std::vector<Notice> notices;
  // WM_KEYDOWN, WM_KEYUP and WM_CHAR that reached this window.
  std::vector<MSG> keys;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  int settled_ = 0;
};
