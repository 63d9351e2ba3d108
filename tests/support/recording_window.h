#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolbar/window_object.h"

// A popup standing in for the window that what is under test reports to
// (the strip for its controls, the band host for the strip, the host window
// for the uninstall request) or that owns its menus. It keeps, copied at
// once, everything it is posted or sent: the private notices, WM_COMMAND,
// the click records, the fonts offered with UM_ADDFONT, the keys and the
// left-button releases that reach it.
class RecordingWindow : public WindowObject<RecordingWindow> {
 public:
  struct Notice {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    std::string text;  // the text, entry name or click record's name carried
  };
  struct Click {
    HWND window;
    LONG_PTR state;
    std::string name;
    const void* record;
  };
  struct AddedFont {
    WPARAM wparam;
    std::string face;
  };
  // Hidden; topmost but never activated (Wine hands an activated window to a
  // window manager, and hiding it then waits two seconds for one; the mouse
  // reaches the window under the pointer either way); or topmost, active and
  // in the foreground, where keys go.
  enum class Shown { kHidden, kTopmost, kForeground };

  RecordingWindow() = default;
  ~RecordingWindow();

  bool Create(int x, int y, int width, int height, Shown shown);

  // Pumps messages until everything posted to this window before the call
  // has arrived. False if that took unreasonably long.
  bool Settle();
  // The notices of one kind, in arrival order.
  std::vector<Notice> Of(UINT message) const;
  void Clear();

  // UM_* notices and WM_COMMAND, in arrival order.
  std::vector<Notice> notices;
  std::vector<Click> clicks;
  std::vector<AddedFont> added_fonts;
  // WM_KEYDOWN, WM_KEYUP and WM_CHAR.
  std::vector<MSG> keys;
  int left_button_ups = 0;
  // Answers UM_ADDFONT as the strip does, when set.
  std::function<void(const char* face, int charset)> add_font;

 private:
  friend class WindowObject<RecordingWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  int settled_ = 0;
};
