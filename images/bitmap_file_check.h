#pragma once

#include <cstddef>

// The checks a picture strip file passes before the platform's bitmap loader
// sees it. The loader trusts the file's headers: a header cut short, a pixel
// offset or a palette beyond the end of the file, or dimensions the file
// cannot hold make it read past the file, and a strip thousands of pixels
// high makes a band of that height. Platform-free, so that it can be tested
// and fuzzed anywhere.
namespace strip_limits {
constexpr int kMaxWidth = 8192;
constexpr int kMaxHeight = 256;
}  // namespace strip_limits

// True when `bytes` are a Windows bitmap file ("BM") with a core (12-byte)
// or an info header (40, 52, 56, 108 or 124 bytes), one plane, 1, 4, 8, 16,
// 24 or 32 bits per pixel, uncompressed (or bit fields at 16 and 32 bits),
// a palette no larger than the bit depth allows, width 1 to
// strip_limits::kMaxWidth and height 1 to strip_limits::kMaxHeight (either
// way up), and whose headers, palette and rows all lie within the file.
bool IsAcceptableStripFile(const unsigned char* bytes, std::size_t size);
