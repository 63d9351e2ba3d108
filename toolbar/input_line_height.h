#pragma once

#include <windows.h>

// The height that a text box or combo box of the toolbar gives its line:
// the sample "World Wide Web" measured with `font` on `window` (its
// terminating zero included, as captions are measured), the extent's height
// times 1.2, and that times 1.2 again. 0 without a font.
int InputLineHeight(HWND window, HFONT font);
