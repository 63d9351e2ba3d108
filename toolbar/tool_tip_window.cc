#include "toolbar/tool_tip_window.h"

namespace {

const char kClassName[] = "OruToolTip";
const COLORREF kPaleYellow = 0xDFFFFF;

}  // namespace

ToolTipWindow::~ToolTipWindow() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
  if (font_ != nullptr) DeleteObject(font_);
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
  if (font_ != nullptr && font_ != font) DeleteObject(font_);
  font_ = font;
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
  // The extent counts the terminating zero as a character, and the height
  // leaves a fifth of the line as margin.
  HDC dc = GetDC(window_);
  HGDIOBJ previous = SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(SYSTEM_FONT));
  SIZE extent = {0, 0};
  GetTextExtentPoint32A(dc, text_.c_str(), static_cast<int>(text_.size()) + 1, &extent);
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);
  int width = extent.cx;
  int height = static_cast<int>(extent.cy * 1.2);
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
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  RECT client;
  GetClientRect(window_, &client);
  HBRUSH brush = CreateSolidBrush(kPaleYellow);
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  if (font_ != nullptr && !text_.empty()) {
    HGDIOBJ previous = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 0, 0, text_.c_str(), static_cast<int>(text_.size()));
    SelectObject(dc, previous);
  }
  EndPaint(window_, &paint);
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
