#pragma once

#include <windows.h>

// The browser's rebar: the first window on the chain of first children
// below `top` (top itself not tested) whose class name contains
// "ReBarWindow32", letter case as written. Siblings are never visited; null
// when the chain ends first. `depth`, unless null, learns how many steps
// down the rebar was found (0 when it was not).
HWND FindRebar(HWND top, int* depth = nullptr);
