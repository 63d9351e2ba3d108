#pragma once

#include <windows.h>

#include <string>

#include "platform/gdi_handles.h"
#include "toolbar/window_object.h"

// The small popup that shows a button's tooltip text below the pointer one
// second after the pointer entered the button. One per toolbar strip, shared
// by its buttons. It never takes the activation.
class ToolTipWindow : public WindowObject<ToolTipWindow> {
 public:
  static constexpr UINT_PTR kTimerId = 100;

  ToolTipWindow() = default;
  ~ToolTipWindow();
  ToolTipWindow(const ToolTipWindow&) = delete;
  ToolTipWindow& operator=(const ToolTipWindow&) = delete;

  // Creates the hidden popup, owned by `owner`. False without an owner.
  bool Create(HINSTANCE instance, HWND owner, int x, int y, int width, int height);
  // Takes ownership of `font`, deleting the one held before.
  void SetFont(HFONT font);
  void SetText(const std::string& text);
  // Arms the timer unless it runs already; (x, y) is kept but the popup is
  // placed where the pointer is when the timer fires.
  void StartTimer(int x, int y);
  void StopTimer();
  // Shows the popup at screen point (x, y + vertical offset), kept on the
  // screen, once the timer has fired, while hidden and with text to show.
  void ShowAt(int x, int y);
  void Hide();

  const std::string& text() const { return text_; }
  bool timing() const { return timer_ != 0; }

 private:
  friend class WindowObject<ToolTipWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnTimer();
  void Paint();

  UINT delay_ = 1000;
  HWND owner_ = nullptr;
  HINSTANCE instance_ = nullptr;
  GdiObject<HFONT> font_;
  std::string text_;
  int vertical_offset_ = 18;
  UINT_PTR timer_ = 0;
  bool elapsed_ = false;
  POINT armed_at_ = {0, 0};
};
