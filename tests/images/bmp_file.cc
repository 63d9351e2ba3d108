#include "tests/images/bmp_file.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

void Put(std::string* out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

HBITMAP DibSection(int width, int height, const std::function<DWORD(int, int)>& pixel) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  auto* pixels = static_cast<DWORD*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels[y * width + x] = pixel(x, y);
  }
  return bitmap;
}

std::string BitmapFileBytes(int width, int height, const std::function<COLORREF(int, int)>& pixel) {
  const int row_size = (width * 3 + 3) / 4 * 4;
  const std::uint32_t image_size = static_cast<std::uint32_t>(row_size * height);
  std::string out;
  out += "BM";
  Put(&out, 14 + 40 + image_size, 4);
  Put(&out, 0, 4);
  Put(&out, 14 + 40, 4);
  Put(&out, 40, 4);  // BITMAPINFOHEADER
  Put(&out, static_cast<std::uint32_t>(width), 4);
  Put(&out, static_cast<std::uint32_t>(height), 4);
  Put(&out, 1, 2);
  Put(&out, 24, 2);
  Put(&out, BI_RGB, 4);
  Put(&out, image_size, 4);
  Put(&out, 2835, 4);
  Put(&out, 2835, 4);
  Put(&out, 0, 4);
  Put(&out, 0, 4);
  for (int row = height - 1; row >= 0; --row) {
    std::string line;
    for (int x = 0; x < width; ++x) {
      COLORREF colour = pixel(x, row);
      line.push_back(static_cast<char>(GetBValue(colour)));
      line.push_back(static_cast<char>(GetGValue(colour)));
      line.push_back(static_cast<char>(GetRValue(colour)));
    }
    line.resize(row_size, '\0');
    out += line;
  }
  return out;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
