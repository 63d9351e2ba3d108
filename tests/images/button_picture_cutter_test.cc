#include "images/button_picture_cutter.h"

#include <gtest/gtest.h>

#include <vector>

#include "images/bitmap_operations.h"
#include "tests/images/bmp_file.h"

namespace {

constexpr int kSize = 8;
constexpr int kPictures = 3;
// DIB pixels are 0x00RRGGBB.
constexpr DWORD kBackground = 0x00008080;
constexpr DWORD kMark = 0x00FF8000;

// Three pictures side by side. Each has the background in its top-left
// corner, a mark in the middle and, inside the mark, a dot of the
// background's colour that the corner's region does not reach. The second
// picture's corner is marked instead, so that nothing of it is filled.
HBITMAP MakeStrip() {
  return DibSection(kSize * kPictures, kSize, [](int x, int y) {
    const int picture = x / kSize;
    const int inner = x % kSize;
    const bool mark = inner >= 2 && inner < 6 && y >= 2 && y < 6;
    const bool dot = inner == 3 && y == 3;
    const bool marked_corner = picture == 1 && inner < 2 && y < 2;
    if (marked_corner) return kMark + static_cast<DWORD>(picture);
    return mark && !dot ? kMark : kBackground;
  });
}

std::vector<COLORREF> Pixels(HBITMAP bitmap) {
  std::vector<COLORREF> pixels;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  if (previous == nullptr) {
    DeleteDC(dc);
    return pixels;
  }
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) pixels.push_back(GetPixel(dc, x, y));
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  return pixels;
}

// One cutter makes, one after the other with its kept DCs, the pictures
// that a fresh cutter (ButtonPicture) makes for each: the same size, format and pixels,
// also for an index beyond the strip, and each deselected when handed out.
// The expected pictures are made first: while the cutter holds the strip
// in its DC, no other DC can take it.
TEST(ButtonPictureCutter, CutsWhatButtonPictureMakes) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  HBITMAP strip = MakeStrip();
  ASSERT_NE(strip, nullptr);
  const int indexes[] = {0, 1, 2, 1, kPictures};
  std::vector<HBITMAP> expected;
  for (int index : indexes) {
    expected.push_back(ButtonPicture(window, strip, kSize, kSize, index));
    ASSERT_NE(expected.back(), nullptr);
  }
  std::vector<HBITMAP> made;
  {
    ButtonPictureCutter cutter(window, strip, kSize, kSize);
    EXPECT_EQ(cutter.Cut(-1), nullptr);
    for (std::size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE(indexes[i]);
      HBITMAP cut = cutter.Cut(indexes[i]);
      ASSERT_NE(cut, nullptr);
      made.push_back(cut);
      BITMAP expected_info = {};
      BITMAP cut_info = {};
      GetObjectA(expected[i], sizeof(expected_info), &expected_info);
      GetObjectA(cut, sizeof(cut_info), &cut_info);
      EXPECT_EQ(cut_info.bmWidth, expected_info.bmWidth);
      EXPECT_EQ(cut_info.bmHeight, expected_info.bmHeight);
      EXPECT_EQ(cut_info.bmBitsPixel, expected_info.bmBitsPixel);
      const std::vector<COLORREF> cut_pixels = Pixels(cut);
      ASSERT_EQ(cut_pixels.size(), static_cast<std::size_t>(kSize * kSize))
          << "the cutter still holds the picture";
      EXPECT_EQ(cut_pixels, Pixels(expected[i]));
    }
  }
  // Once the cutter is gone the strip can be selected elsewhere again.
  EXPECT_EQ(Pixels(strip).size(), static_cast<std::size_t>(kSize * kSize));
  for (HBITMAP picture : made) EXPECT_NE(DeleteObject(picture), FALSE);
  for (HBITMAP picture : expected) DeleteObject(picture);
  DeleteObject(strip);
  DestroyWindow(window);
}

}  // namespace
