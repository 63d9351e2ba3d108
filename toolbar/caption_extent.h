#pragma once

#include <windows.h>

#include <string>

// The room a caption takes in `font`, measured through `dc`: the width of
// its text with one more character (the terminating zero, measured as a
// character too, is the caption's right margin) and the height of that
// extent times 1.2 (a fifth of the line as margin). Every caption of the
// toolbar is measured so: the buttons', the tooltip's and the sample line
// of the text and combo boxes. {0, 0} without a font.
SIZE CaptionExtent(HDC dc, HFONT font, const std::string& text);
