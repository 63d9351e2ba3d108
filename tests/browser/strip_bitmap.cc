#include "tests/browser/strip_bitmap.h"

#include <cstdint>

namespace {

void Put(std::string* bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string StripBitmapBytes(int width, int height) {
  const std::uint32_t row = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
  const std::uint32_t pixels = row * static_cast<std::uint32_t>(height);
  std::string bytes = "BM";
  Put(&bytes, 54 + pixels, 4);  // file size
  Put(&bytes, 0, 4);            // reserved
  Put(&bytes, 54, 4);           // offset of the pixels
  Put(&bytes, 40, 4);           // BITMAPINFOHEADER
  Put(&bytes, static_cast<std::uint32_t>(width), 4);
  Put(&bytes, static_cast<std::uint32_t>(height), 4);
  Put(&bytes, 1, 2);   // planes
  Put(&bytes, 24, 2);  // bits per pixel
  Put(&bytes, 0, 4);   // no compression
  Put(&bytes, pixels, 4);
  Put(&bytes, 2835, 4);
  Put(&bytes, 2835, 4);
  Put(&bytes, 0, 4);
  Put(&bytes, 0, 4);
  for (std::uint32_t i = 0; i < pixels; ++i) bytes.push_back(static_cast<char>(0x80));
  return bytes;
}
