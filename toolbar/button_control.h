#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "definition/vocabulary.h"
#include "platform/gdi_handles.h"
#include "store/property_accessor.h"
#include "toolbar/toolbar_messages.h"
#include "toolbar/window_object.h"

class ObjectStore;
class ToolTipWindow;

// One control class for the toolbar's buttons, toggle buttons, separators,
// labels and spaces (kinds 1 to 5). A child window of the toolbar strip that
// paints itself from its object's "Prop" section in the control store, sizes
// itself from caption and picture, tracks the mouse with capture and posts
// UM_BUTTONCLICKED with its click record to the strip.
class ButtonControl : public WindowObject<ButtonControl> {
 public:
  enum class FrameStyle { kFlat, kRaised, kSunken };

  static constexpr COLORREF kHighlightColour = 0xFFFFFF;
  static constexpr COLORREF kShadowColour = 0x808080;

  ButtonControl();
  ~ButtonControl();
  ButtonControl(const ButtonControl&) = delete;
  ButtonControl& operator=(const ButtonControl&) = delete;

  // Creates the window, of a class named after the object (registered once
  // per process), then binds the control to its object. False without a
  // parent or when no window could be made.
  bool Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
              const std::string& name, ObjectStore* store);
  // The object the control shows, and its state read. Create binds too;
  // binding first lets the strip measure a button before its window exists
  // and make the window as wide as the layout wants it.
  void Bind(const std::string& name, ObjectStore* store);
  // Takes ownership of `font`, deleting the one held before.
  void SetFont(HFONT font);
  void SetToolTip(ToolTipWindow* tooltip) { tooltip_ = tooltip; }
  void SetX(int x) { x_ = x; }
  // Reads the state, measures caption and picture through `dc` (the
  // window's own DC when null), keeps and stores the width and returns it.
  // The window is not moved.
  int Measure(HDC dc);
  // Measure, then gives the window its place and width (moving it only when
  // they changed) and returns the width.
  int LayoutButton(HDC dc = nullptr);
  // Draws the border that `event` (a mouse message) with `flag` calls for
  // straight onto the window.
  void DrawFrame(UINT event, bool flag);
  // Draws the border of the button at rest (flat; sunken for a checked
  // toggle) straight onto the window, as after its menu closed.
  void DrawRestFrame();
  void Show(bool visible);
  void ReadState();
  bool IsTextVisible() const;
  FrameStyle FrameStyleFor(UINT event, bool flag) const;

  const std::string& name() const { return name_; }
  ControlKind kind() const { return kind_; }
  bool enabled() const { return enabled_; }
  bool checked() const { return checked_; }
  bool pressed() const { return pressed_; }
  int x() const { return x_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int text_width() const { return text_width_; }
  int picture_width() const { return picture_width_; }
  int picture_height() const { return picture_height_; }

 private:
  friend class WindowObject<ButtonControl>;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  bool GetBool(const std::string& key, bool default_value) const;
  int GetInt(const std::string& key, int default_value) const;
  std::string GetString(const std::string& key, const std::string& default_value) const;
  void SetString(const std::string& key, const std::string& value);
  HBITMAP Picture() const;

  void MeasureText(HDC dc, const std::string& text, int* text_width, int* line_height) const;
  void DrawFrameInto(HDC dc, FrameStyle style) const;
  void DrawFrameNow(FrameStyle style);
  FrameStyle RestStyle() const;
  void Paint();
  bool PointerInside() const;
  void OnMouseMove();
  void OnLeftButtonDown();
  void OnLeftButtonUp();
  void UpdateToolTip(bool show);

  std::unique_ptr<ButtonClickRecord> record_;
  ObjectStore* store_ = nullptr;
  PropertyAccessor properties_;
  COLORREF highlight_colour_ = kHighlightColour;
  COLORREF shadow_colour_ = kShadowColour;
  COLORREF face_colour_;
  std::string name_;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
  ControlKind kind_ = ControlKind::kButton;
  bool enabled_ = true;
  bool checked_ = false;
  bool pressed_ = false;
  int text_width_ = 0;
  int picture_width_ = 0;
  int picture_height_ = 0;
  HWND parent_ = nullptr;
  HINSTANCE instance_ = nullptr;
  GdiObject<HFONT> font_;
  ToolTipWindow* tooltip_ = nullptr;
};
