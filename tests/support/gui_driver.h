#pragma once

#include <windows.h>

#include <functional>

// Real input and a real message loop for the window tests. Under Wine there
// is no window manager and no user: the tests move the pointer and press its
// buttons themselves, then run the message loop until the expected effect
// arrives, with a generous bound instead of a fixed delay.

constexpr DWORD kPatienceMs = 5000;

// Dispatches messages until `done` holds (true) or `limit_ms` passed (false).
bool PumpUntil(const std::function<bool()>& done, DWORD limit_ms = kPatienceMs);
// Dispatches messages for `duration_ms`: for checking that something does
// not happen within a time it would have needed.
void PumpFor(DWORD duration_ms);
// Dispatches what is queued until the queue has stayed empty for a moment.
void PumpPending();

// Moves the pointer to screen point (x, y) the way a mouse does: the window
// under it gets WM_MOUSEMOVE.
void MovePointerTo(int x, int y);
void PressLeftButton();
void ReleaseLeftButton();

// Screen point of client point (x, y) of `window`.
POINT ScreenPoint(HWND window, int x, int y);
// The colour shown at client point (x, y) of `window`, read from the screen.
COLORREF ShownPixel(HWND window, int x, int y);
