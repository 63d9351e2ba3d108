#pragma once

#include <windows.h>

#include <string>
#include <vector>

class FontCatalog;

// A topmost popup standing in for the toolbar strip: the parent of the
// controls under test. It keeps what the controls tell it, copied at once,
// as the strip would read it, and answers UM_ADDFONT the way the strip does.
class HostWindow {
 public:
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

  HostWindow() = default;
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Shown topmost and in the foreground when `visible`, hidden otherwise.
  bool Create(int x, int y, int width, int height, bool visible);
  HWND window() const { return window_; }
  void set_font_catalog(FontCatalog* catalog) { catalog_ = catalog; }

  std::vector<Click> clicks;
  std::vector<AddedFont> added_fonts;
  int left_button_ups = 0;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  FontCatalog* catalog_ = nullptr;
};
