#pragma once

#include <windows.h>

// The browser's rebar: the first window on the chain of first children
// below `top` (top itself not tested) whose class name contains
// "ReBarWindow32", letter case as written. Siblings are never visited; null
// when the chain ends first.
HWND FindRebar(HWND top);
