#pragma once

#include <windows.h>

// MoveWindow with repaint, left out when the window already has that
// rectangle in its parent's client area (screen coordinates for a top-level
// window). Such a move changes nothing on the screen, and under Wine it
// still costs a round trip to the server and its window messages per
// control. A window that sizes itself (a combo box, whose own height follows
// its font) never has the rectangle it is given, so it is always moved.
void PlaceWindow(HWND window, int x, int y, int width, int height);
