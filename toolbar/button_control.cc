#include "toolbar/button_control.h"

#include <initializer_list>

#include "images/bitmap_operations.h"
#include "platform/gdi_handles.h"
#include "store/object_store.h"
#include "store/strings.h"
#include "toolbar/caption_extent.h"
#include "toolbar/tool_tip_window.h"
#include "toolbar/window_placement.h"

namespace {

const char kSection[] = "Prop";
// Used when the object's name cannot be a class of our own: it is taken by
// another window class (a system class such as "Button" or "Edit", or one of
// the toolbar's own) or cannot be registered at all.
const char kFallbackClassName[] = "OruButton";
constexpr UINT kClassStyle = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;

// Lines from `from` to each of `ends`, one pixel wide in `colour`.
void DrawLinesFrom(HDC dc, COLORREF colour, POINT from, std::initializer_list<POINT> ends) {
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
  SelectedObject selected = Select(dc, pen.get());
  for (const POINT& end : ends) {
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, end.x, end.y);
  }
}

}  // namespace

ButtonControl::ButtonControl()
    : record_(new ButtonClickRecord()), face_colour_(GetSysColor(COLOR_BTNFACE)) {
  properties_.SetCurrentSection(kSection);
}

ButtonControl::~ButtonControl() {
  if (window_ != nullptr && IsWindow(window_)) {
    ShowWindow(window_, SW_HIDE);
    DestroyWindow(window_);
  }
}

bool ButtonControl::Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height,
                           const std::string& name, ObjectStore* store) {
  if (parent == nullptr) return false;
  if (window_ == nullptr) {
    const char* class_name = name.c_str();
    if (!RegisterWindowClass(instance, class_name, kClassStyle)) {
      class_name = kFallbackClassName;
      RegisterWindowClass(instance, class_name, kClassStyle);
    }
    CreateWindowExA(0, class_name, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width,
                    height, parent, nullptr, instance, this);
  }
  parent_ = parent;
  instance_ = instance;
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
  Bind(name, store);
  return window_ != nullptr;
}

void ButtonControl::Bind(const std::string& name, ObjectStore* store) {
  name_ = name;
  store_ = store;
  properties_.SetStore(store);
  properties_.SetCurrentObject(name);
  ReadState();
}

void ButtonControl::SetFont(HFONT font) {
  if (font != font_.get()) font_.reset(font);
}

bool ButtonControl::GetBool(const std::string& key, bool default_value) const {
  return properties_.GetBool(key, default_value);
}

int ButtonControl::GetInt(const std::string& key, int default_value) const {
  return properties_.GetInt(key, default_value);
}

std::string ButtonControl::GetString(const std::string& key,
                                     const std::string& default_value) const {
  return properties_.GetString(key, default_value);
}

void ButtonControl::SetString(const std::string& key, const std::string& value) {
  properties_.SetString(key, value);
}

HBITMAP ButtonControl::Picture() const {
  // The strip stores the handle as decimal text; GDI handles keep their
  // meaning in 32 bits on 64-bit Windows too.
  return reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(StringToLong(GetString("hBitmap", "0"))));
}

void ButtonControl::ReadState() {
  enabled_ = GetBool("Enabled", true);
  checked_ = GetBool("On", false);
  kind_ = static_cast<ControlKind>(GetInt("Type", static_cast<int>(ControlKind::kButton)));
  if (kind_ == ControlKind::kSeparator || kind_ == ControlKind::kLabel ||
      kind_ == ControlKind::kSpace) {
    enabled_ = false;
  }
}

bool ButtonControl::IsTextVisible() const {
  return GetBool("TextVisible", true) || GetBool("TextAlwaysVisible", false);
}

void ButtonControl::MeasureText(HDC dc, const std::string& text, int* text_width,
                                int* line_height) const {
  if (font_ == nullptr || text.empty()) return;
  const SIZE extent = dc != nullptr ? CaptionExtent(dc, font_.get(), text)
                                    : CaptionExtent(GetWindowDc(window_).get(), font_.get(), text);
  *text_width = extent.cx;
  *line_height = extent.cy;
}

int ButtonControl::Measure(HDC dc) {
  ReadState();
  std::string text = GetString("Text", "");
  int text_width = 0;
  int line_height = 0;
  MeasureText(dc, text, &text_width, &line_height);
  if (!IsTextVisible()) text_width = 0;

  int picture_width = 0;
  int picture_height = 0;
  HBITMAP picture = Picture();
  if (picture != nullptr) {
    BITMAP info = {};
    if (GetObjectA(picture, sizeof(info), &info) != 0) {
      picture_width = info.bmWidth;
      picture_height = info.bmHeight;
    }
  }
  text_width_ = text_width;
  picture_width_ = picture_width;
  picture_height_ = picture_height;

  int width;
  if (kind_ == ControlKind::kSeparator) {
    width = 7;
  } else if (kind_ == ControlKind::kSpace) {
    width = GetInt("Width", 5);
  } else {
    // 2 pixels on the left, the picture, the caption, 2 pixels on the right.
    width = text_width + picture_width + 4;
  }
  SetString("Width", IntToString(width));
  width_ = width;
  return width;
}

int ButtonControl::LayoutButton(HDC dc) {
  const int width = Measure(dc);
  PlaceWindow(window_, x_, y_, width_, height_);
  return width;
}

ButtonControl::FrameStyle ButtonControl::RestStyle() const {
  return kind_ == ControlKind::kToggleButton && checked_ ? FrameStyle::kSunken : FrameStyle::kFlat;
}

ButtonControl::FrameStyle ButtonControl::FrameStyleFor(UINT event, bool flag) const {
  switch (event) {
    case WM_MOUSEMOVE:
      return flag ? FrameStyle::kRaised : RestStyle();
    case WM_LBUTTONDOWN:
      return FrameStyle::kSunken;
    case WM_LBUTTONUP:
      return FrameStyle::kRaised;
    default:
      return RestStyle();
  }
}

void ButtonControl::DrawFrameInto(HDC dc, FrameStyle style) const {
  COLORREF top_left = face_colour_;
  COLORREF bottom_right = face_colour_;
  if (style == FrameStyle::kRaised) {
    top_left = highlight_colour_;
    bottom_right = shadow_colour_;
  } else if (style == FrameStyle::kSunken) {
    top_left = shadow_colour_;
    bottom_right = highlight_colour_;
  }
  const int right = width_ - 1;
  const int bottom = height_ - 1;
  DrawLinesFrom(dc, top_left, {0, 0}, {{right, 0}, {0, bottom}});
  DrawLinesFrom(dc, bottom_right, {right, bottom}, {{right, 0}, {0, bottom}});
}

void ButtonControl::DrawFrameNow(FrameStyle style) {
  if (window_ != nullptr) DrawFrameInto(GetWindowDc(window_).get(), style);
}

void ButtonControl::DrawFrame(UINT event, bool flag) { DrawFrameNow(FrameStyleFor(event, flag)); }

void ButtonControl::DrawRestFrame() { DrawFrameNow(RestStyle()); }

void ButtonControl::Show(bool visible) {
  if (window_ != nullptr) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

void ButtonControl::Paint() {
  PaintDc paint(window_);
  const HDC dc = paint.get();
  RECT client;
  GetClientRect(window_, &client);
  FillSolid(dc, client, face_colour_);

  HBITMAP picture = Picture();
  if (picture != nullptr) DrawBitmap(dc, picture, 2, (height_ - picture_height_) / 2);

  // An enabled, unchecked control stays flat: the fill above is its border.
  if (!enabled_ || checked_) DrawFrameInto(dc, RestStyle());

  std::string text = GetString("Text", "");
  if (font_ != nullptr && !text.empty() && IsTextVisible()) {
    int text_width = 0;
    int line_height = 0;
    MeasureText(dc, text, &text_width, &line_height);
    SelectedObject selected = Select(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    int text_y = static_cast<int>((height_ - line_height) / 2 + line_height * 0.1);
    TextOutA(dc, picture_width_ + 2, text_y, text.c_str(), static_cast<int>(text.size()));
  }

  if (kind_ == ControlKind::kSeparator) {
    const int middle = width_ / 2;
    DrawLinesFrom(dc, shadow_colour_, {middle, 2}, {{middle, height_ - 2}});
    DrawLinesFrom(dc, highlight_colour_, {middle + 1, 2}, {{middle + 1, height_ - 2}});
  }
}

bool ButtonControl::PointerInside() const {
  POINT pointer = {0, 0};
  GetCursorPos(&pointer);
  RECT bounds;
  GetWindowRect(window_, &bounds);
  return PtInRect(&bounds, pointer) != FALSE;
}

void ButtonControl::OnMouseMove() {
  if (!enabled_) return;
  if (PointerInside()) {
    if (GetCapture() != window_) SetCapture(window_);
    if (!pressed_) DrawFrame(WM_MOUSEMOVE, true);
    UpdateToolTip(true);
  } else {
    // Leaving: give the mouse back and forget a press begun here.
    if (GetCapture() == window_) ReleaseCapture();
    DrawFrame(WM_MOUSEMOVE, false);
    pressed_ = false;
    UpdateToolTip(false);
  }
}

void ButtonControl::OnLeftButtonDown() {
  if (!enabled_) return;
  pressed_ = true;
  UpdateToolTip(false);
  bool inside = PointerInside();
  if (inside && GetCapture() != window_) SetCapture(window_);
  DrawFrame(WM_LBUTTONDOWN, inside);
}

void ButtonControl::OnLeftButtonUp() {
  if (!enabled_) return;
  if (PointerInside()) {
    if (pressed_) {
      // Only a release that completes a press here is a click: a press that
      // wandered off and back flips nothing, so the toggle's look, its "On"
      // and the command stay in step.
      if (kind_ == ControlKind::kToggleButton) checked_ = !checked_;
      DrawFrame(WM_LBUTTONUP, true);
      SetString("On", BoolToString(checked_));
      record_->window = window_;
      record_->state = checked_ ? 1 : 0;
      record_->name = name_.c_str();
      PostMessageA(parent_, UM_BUTTONCLICKED, 0, reinterpret_cast<LPARAM>(record_.get()));
    } else {
      DrawFrame(WM_LBUTTONUP, true);
    }
  } else {
    if (GetCapture() == window_) ReleaseCapture();
    DrawFrame(WM_LBUTTONUP, false);
  }
  pressed_ = false;
}

void ButtonControl::UpdateToolTip(bool show) {
  if (tooltip_ == nullptr) return;
  if (!show || pressed_) {
    tooltip_->SetText("");
    tooltip_->Hide();
    return;
  }
  tooltip_->SetText(GetString("ToolTip", ""));
  POINT pointer = {0, 0};
  GetCursorPos(&pointer);
  tooltip_->StartTimer(pointer.x, pointer.y);
}

LRESULT ButtonControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove();
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown();
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp();
      return 0;
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_COMMAND:
      return 0;
    default:
      return DefaultHandling(message, wparam, lparam);
  }
}
