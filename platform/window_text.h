#pragma once

#include <windows.h>

#include <string>

// The class name of `window`; "" when it has none (also for a window that
// is gone).
std::string ClassNameOf(HWND window);
// The text of `window`, whatever its length; "" when it has none.
std::string WindowTextOf(HWND window);
