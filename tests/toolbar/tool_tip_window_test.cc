#include "toolbar/tool_tip_window.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/gui_driver.h"
#include "tests/support/recording_window.h"
#include "tests/support/session_lock.h"
#include "toolbar/font_catalog.h"
#include "toolbar/toolbar_messages.h"

namespace {

class ToolTipWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lock_.held());
    // The owner stays hidden: Wine hands a shown window that owns popups to
    // a window manager, and hiding it then waits two seconds for one.
    ASSERT_TRUE(host_.Create(100, 600, 200, 30, RecordingWindow::Shown::kHidden));
    ASSERT_TRUE(tooltip_.Create(GetModuleHandleA(nullptr), host_.window(), 0, 0, 50, 20));
    tooltip_.SetFont(catalog_.CreatePlainFont("MS Sans Serif", 12));
  }

  // The popup's size for `text` by the design's arithmetic, measured with
  // the same font.
  SIZE ExpectedSize(const std::string& text) {
    HFONT font = catalog_.CreatePlainFont("MS Sans Serif", 12);
    HDC dc = GetDC(tooltip_.window());
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()) + 1, &extent);
    SelectObject(dc, previous);
    ReleaseDC(tooltip_.window(), dc);
    DeleteObject(font);
    return SIZE{extent.cx, static_cast<LONG>(extent.cy * 1.2)};
  }

  bool Shown() { return IsWindowVisible(tooltip_.window()) != FALSE; }

  DesktopLock lock_;
  RecordingWindow host_;
  FontCatalog catalog_;
  ToolTipWindow tooltip_;
};

TEST_F(ToolTipWindowTest, IsAHiddenPopupOfItsOwnClassAnsweringWithItsObject) {
  HWND window = tooltip_.window();
  ASSERT_NE(window, nullptr);
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof(class_name));
  EXPECT_STREQ(class_name, "OruToolTip");
  EXPECT_FALSE(Shown());
  LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_POPUP | WS_DISABLED | WS_BORDER), WS_POPUP | WS_DISABLED | WS_BORDER);
  EXPECT_EQ(GetWindow(window, GW_OWNER), host_.window());
  EXPECT_EQ(SendMessageA(window, UM_GETOBJECT, 0, 0), reinterpret_cast<LRESULT>(&tooltip_));
  EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&tooltip_));

  ToolTipWindow orphan;
  EXPECT_FALSE(orphan.Create(GetModuleHandleA(nullptr), nullptr, 0, 0, 50, 20));
  EXPECT_EQ(orphan.window(), nullptr);
}

// The timer places the popup where the pointer is when it fires: 18 pixels
// below it, and moved left when it would leave the screen.
TEST_F(ToolTipWindowTest, AppearsBelowThePointerAndStaysOnTheScreen) {
  const std::string text = "Search the web";
  const SIZE size = ExpectedSize(text);
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  ASSERT_GT(size.cx, 10);
  struct Case {
    const char* what;
    POINT pointer;
    POINT corner;
  } cases[] = {
      {"room to the right", {300, 40}, {300, 58}},
      {"ends at the screen's edge", {screen_width - size.cx, 300}, {screen_width - size.cx, 318}},
      {"would leave the screen", {screen_width - 10, 200}, {screen_width - size.cx - 20, 218}},
  };
  tooltip_.SetText(text);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MovePointerTo(c.pointer.x, c.pointer.y);
    tooltip_.StartTimer(c.pointer.x, c.pointer.y);
    EXPECT_TRUE(tooltip_.timing());
    ASSERT_TRUE(PumpUntil([&] { return Shown(); })) << "the popup never appeared";
    EXPECT_FALSE(tooltip_.timing()) << "the timer is stopped once it fired";
    RECT rect;
    GetWindowRect(tooltip_.window(), &rect);
    EXPECT_EQ(rect.left, c.corner.x);
    EXPECT_EQ(rect.top, c.corner.y);
    EXPECT_EQ(rect.right - rect.left, size.cx);
    EXPECT_EQ(rect.bottom - rect.top, size.cy);
    EXPECT_NE(GetForegroundWindow(), tooltip_.window()) << "shown without the activation";
    tooltip_.Hide();
    EXPECT_FALSE(Shown());
  }
}

TEST_F(ToolTipWindowTest, PaintsPaleYellow) {
  tooltip_.SetText("Home");
  MovePointerTo(300, 40);
  tooltip_.StartTimer(300, 40);
  ASSERT_TRUE(PumpUntil([&] { return Shown(); }));
  PumpPending();
  RECT client;
  GetClientRect(tooltip_.window(), &client);
  // The bottom row lies below the text: background only.
  EXPECT_EQ(ShownPixel(tooltip_.window(), client.right - 1, client.bottom - 1), 0xDFFFFFu);
  EXPECT_EQ(ShownPixel(tooltip_.window(), 0, client.bottom - 1), 0xDFFFFFu);
}

TEST_F(ToolTipWindowTest, EmptyTextShowsNothing) {
  tooltip_.SetText("");
  MovePointerTo(300, 40);
  tooltip_.StartTimer(300, 40);
  ASSERT_TRUE(PumpUntil([&] { return !tooltip_.timing(); })) << "the timer never fired";
  PumpPending();
  EXPECT_FALSE(Shown());
}

TEST_F(ToolTipWindowTest, HideBeforeTheDelayKeepsItHidden) {
  tooltip_.SetText("Home");
  MovePointerTo(300, 40);
  tooltip_.StartTimer(300, 40);
  tooltip_.Hide();
  EXPECT_FALSE(tooltip_.timing());
  PumpFor(1500);  // longer than the delay
  EXPECT_FALSE(Shown());
}

TEST_F(ToolTipWindowTest, VisiblePopupIsNotMovedAgain) {
  tooltip_.SetText("Home");
  MovePointerTo(300, 40);
  tooltip_.StartTimer(300, 40);
  ASSERT_TRUE(PumpUntil([&] { return Shown(); }));
  MovePointerTo(500, 100);
  tooltip_.StartTimer(500, 100);
  ASSERT_TRUE(PumpUntil([&] { return !tooltip_.timing(); }));
  RECT rect;
  GetWindowRect(tooltip_.window(), &rect);
  EXPECT_EQ(rect.left, 300);
  EXPECT_EQ(rect.top, 58);
}

}  // namespace
