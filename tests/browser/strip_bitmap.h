#pragma once

#include <string>

// The bytes of a 24-bit Windows bitmap file of one colour: an image strip
// for the band host, `width` by `height` pixels.
std::string StripBitmapBytes(int width, int height);
