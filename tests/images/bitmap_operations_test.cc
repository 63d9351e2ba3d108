#include "images/bitmap_operations.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/images/bmp_file.h"
#include "tests/images/temp_directory.h"

namespace {

constexpr int kPictureWidth = 16;
constexpr int kStripWidth = 160;
constexpr int kStripHeight = 16;
const COLORREF kBackground = RGB(255, 0, 255);
const COLORREF kOutline = RGB(0, 0, 0);

// Every picture: a background that reaches the corner, an outline square at
// 3..10 enclosing more background, a marker at (6, 6) naming the picture,
// and a bottom row coding the strip's column, so a cut shows where it came
// from.
COLORREF ColumnCode(int strip_x) { return RGB(strip_x, 0, 200); }
COLORREF Marker(int index) { return RGB(index * 20 + 10, 200, 0); }

COLORREF StripPixel(int x, int y) {
  int local = x % kPictureWidth;
  if (y == kStripHeight - 1) return ColumnCode(x);
  if (local == 6 && y == 6) return Marker(x / kPictureWidth);
  bool in_square = local >= 3 && local <= 10 && y >= 3 && y <= 10;
  if (in_square && (local == 3 || local == 10 || y == 3 || y == 10)) return kOutline;
  return kBackground;
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return colour;
}

SIZE SizeOf(HBITMAP bitmap) {
  BITMAP info = {};
  GetObjectA(bitmap, sizeof(info), &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

class ButtonPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string path = directory_.File("strip.bmp");
    ASSERT_TRUE(WriteBytes(path, BitmapFileBytes(kStripWidth, kStripHeight, StripPixel)));
    strip_ = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                             LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(strip_, nullptr);
    window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    if (window_ != nullptr) DestroyWindow(window_);
    if (strip_ != nullptr) DeleteObject(strip_);
  }

  TempDirectory directory_;
  HBITMAP strip_ = nullptr;
  HWND window_ = nullptr;
};

TEST_F(ButtonPictureTest, CutsThePictureAtItsColumns) {
  for (int index : {0, 9}) {
    SCOPED_TRACE("index " + std::to_string(index));
    HBITMAP picture = ButtonPicture(window_, strip_, kPictureWidth, kStripHeight, index);
    ASSERT_NE(picture, nullptr);
    SIZE size = SizeOf(picture);
    EXPECT_EQ(size.cx, kPictureWidth);
    EXPECT_EQ(size.cy, kStripHeight);
    for (int x = 0; x < kPictureWidth; ++x) {
      EXPECT_EQ(PixelOf(picture, x, kStripHeight - 1), ColumnCode(index * kPictureWidth + x))
          << "bottom row, x " << x;
    }
    EXPECT_EQ(PixelOf(picture, 6, 6), Marker(index));
    DeleteObject(picture);
  }
}

TEST_F(ButtonPictureTest, PictureBeyondTheStripCopiesNothing) {
  HBITMAP picture = ButtonPicture(window_, strip_, kPictureWidth, kStripHeight, 10);
  ASSERT_NE(picture, nullptr);
  // Nothing of the strip arrived, so the whole picture is one area connected
  // to the corner, now the button face.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < kStripHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      ASSERT_EQ(PixelOf(picture, x, y), face) << "at " << x << ", " << y;
    }
  }
  DeleteObject(picture);
}

TEST_F(ButtonPictureTest, OnlyTheBackgroundConnectedToTheCornerBecomesButtonFace) {
  HBITMAP picture = ButtonPicture(window_, strip_, kPictureWidth, kStripHeight, 2);
  ASSERT_NE(picture, nullptr);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  ASSERT_NE(face, kBackground);
  struct Case {
    int x, y;
    COLORREF expected;
    const char* what;
  } cases[] = {
      {0, 0, face, "the corner"},
      {15, 0, face, "top right"},
      {1, 12, face, "below the square"},
      {12, 7, face, "right of the square"},
      {3, 3, kOutline, "outline corner"},
      {10, 6, kOutline, "outline side"},
      {4, 4, kBackground, "enclosed background"},
      {9, 9, kBackground, "enclosed background"},
      {6, 6, Marker(2), "marker"},
      {0, 15, ColumnCode(32), "bottom row"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PixelOf(picture, c.x, c.y), c.expected) << c.what << " at " << c.x << ", " << c.y;
  }
  DeleteObject(picture);
}

TEST_F(ButtonPictureTest, NegativeIndexHasNoPicture) {
  EXPECT_EQ(ButtonPicture(window_, strip_, kPictureWidth, kStripHeight, -1), nullptr);
}

TEST_F(ButtonPictureTest, ReleasedPictureCanBeDrawnElsewhere) {
  // The recipe's memory DC must let go of the picture: the button selects it
  // into a DC of its own whenever it paints.
  HBITMAP picture = ButtonPicture(window_, strip_, kPictureWidth, kStripHeight, 1);
  ASSERT_NE(picture, nullptr);
  HDC screen = GetDC(nullptr);
  HDC target_dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 40, 40);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(target_dc, target);
  EXPECT_TRUE(DrawBitmap(target_dc, picture, 5, 7));
  EXPECT_EQ(GetPixel(target_dc, 5 + 6, 7 + 6), Marker(1));
  EXPECT_EQ(GetPixel(target_dc, 5 + 15, 7 + 15), ColumnCode(31));
  SelectObject(target_dc, previous);
  DeleteDC(target_dc);
  DeleteObject(target);
  DeleteObject(picture);
}

TEST(FileExistsTest, OnlyReadableFilesExist) {
  TempDirectory directory;
  ASSERT_TRUE(WriteBytes(directory.File("present.bmp"), "x"));
  EXPECT_TRUE(FileExists(directory.File("present.bmp")));
  EXPECT_FALSE(FileExists(directory.File("absent.bmp")));
  EXPECT_FALSE(FileExists(""));
}

}  // namespace
