#include "toolbar/window_placement.h"

void PlaceWindow(HWND window, int x, int y, int width, int height) {
  if (window == nullptr) return;
  RECT placed;
  if (GetWindowRect(window, &placed)) {
    MapWindowPoints(nullptr, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&placed), 2);
    if (placed.left == x && placed.top == y && placed.right - placed.left == width &&
        placed.bottom - placed.top == height) {
      return;
    }
  }
  MoveWindow(window, x, y, width, height, TRUE);
}
