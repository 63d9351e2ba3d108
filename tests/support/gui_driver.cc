#include "tests/support/gui_driver.h"

namespace {

void DispatchQueued() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void SendMouse(DWORD flags, LONG dx, LONG dy) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD limit_ms) {
  const ULONGLONG end = GetTickCount64() + limit_ms;
  for (;;) {
    DispatchQueued();
    if (done()) return true;
    ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    DWORD wait = static_cast<DWORD>(end - now);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait < 20 ? wait : 20, QS_ALLINPUT);
  }
}

void PumpFor(DWORD duration_ms) {
  PumpUntil([] { return false; }, duration_ms);
}

void PumpPending() {
  for (int quiet = 0; quiet < 3;) {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      quiet = 0;
      DispatchQueued();
    } else {
      ++quiet;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 15, QS_ALLINPUT);
    }
  }
}

void MovePointerTo(int x, int y) {
  // Arrive from one pixel to the left, so that the last step is a relative
  // move the input system reports like a mouse's.
  SetCursorPos(x - 1, y);
  SendMouse(MOUSEEVENTF_MOVE, 1, 0);
  PumpUntil([x, y] {
    POINT pointer;
    return GetCursorPos(&pointer) && pointer.x == x && pointer.y == y;
  });
}

void PressLeftButton() { SendMouse(MOUSEEVENTF_LEFTDOWN, 0, 0); }

void ReleaseLeftButton() { SendMouse(MOUSEEVENTF_LEFTUP, 0, 0); }

POINT ScreenPoint(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  return point;
}

COLORREF ShownPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}
