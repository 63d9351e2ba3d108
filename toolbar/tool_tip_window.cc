#include "toolbar/tool_tip_window.h"

#include "platform/gdi_handles.h"
#include "toolbar/caption_extent.h"

namespace {

const char kClassName[] = "OruToolTip";
const COLORREF kPaleYellow = 0xDFFFFF;

}  // namespace

ToolTipWindow::~ToolTipWindow() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
  StopTimer();
}

bool ToolTipWindow::Create(HINSTANCE instance, HWND owner, int x, int y, int width, int height) {
  if (owner == nullptr) return false;
  if (window_ == nullptr) {
    RegisterWindowClass(instance, kClassName, CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW);
    CreateWindowExA(0, kClassName, nullptr, WS_POPUP | WS_DISABLED | WS_BORDER, x, y, width, height,
                    owner, nullptr, instance, this);
  }
  owner_ = owner;
  instance_ = instance;
  return true;
}

void ToolTipWindow::SetFont(HFONT font) {
  if (font != font_.get()) font_.reset(font);
}

void ToolTipWindow::SetText(const std::string& text) { text_ = text; }

void ToolTipWindow::StartTimer(int x, int y) {
  // Without a window SetTimer would start a thread timer nobody stops.
  if (timer_ != 0 || window_ == nullptr) return;
  SetTimer(window_, kTimerId, delay_, nullptr);
  timer_ = kTimerId;
  armed_at_.x = x;
  armed_at_.y = y;
}

void ToolTipWindow::StopTimer() {
  if (timer_ != 0 && window_ != nullptr) KillTimer(window_, timer_);
  timer_ = 0;
  elapsed_ = false;
}

void ToolTipWindow::ShowAt(int x, int y) {
  if (window_ == nullptr || !elapsed_ || IsWindowVisible(window_) || text_.empty()) return;
  int screen_width = GetSystemMetrics(SM_CXSCREEN);
  const HFONT font =
      font_ != nullptr ? font_.get() : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  const SIZE extent = CaptionExtent(GetWindowDc(window_).get(), font, text_);
  int width = extent.cx;
  int height = extent.cy;
  if (x + width > screen_width) x = screen_width - width - 20;
  MoveWindow(window_, x, y + vertical_offset_, width, height, TRUE);
  ShowWindow(window_, SW_SHOWNA);
}

void ToolTipWindow::Hide() {
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
  StopTimer();
}

void ToolTipWindow::OnTimer() {
  elapsed_ = true;
  POINT pointer = {0, 0};
  GetCursorPos(&pointer);
  ShowAt(pointer.x, pointer.y);
  StopTimer();
}

void ToolTipWindow::Paint() {
  PaintDc paint(window_);
  RECT client;
  GetClientRect(window_, &client);
  FillSolid(paint.get(), client, kPaleYellow);
  if (font_ != nullptr && !text_.empty()) {
    SelectedObject selected = Select(paint.get(), font_.get());
    SetBkMode(paint.get(), TRANSPARENT);
    TextOutA(paint.get(), 0, 0, text_.c_str(), static_cast<int>(text_.size()));
  }
}

LRESULT ToolTipWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_TIMER:
      OnTimer();
      return 0;
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_COMMAND:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return 0;
    case WM_NCDESTROY:
      // Destroyed with its owner: the timer went with the window.
      timer_ = 0;
      return DefaultHandling(message, wparam, lparam);
    default:
      return DefaultHandling(message, wparam, lparam);
  }
}
