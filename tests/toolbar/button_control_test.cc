#include "toolbar/button_control.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "store/object_store.h"
#include "store/strings.h"
#include "tests/support/gui_driver.h"
#include "tests/support/recording_window.h"
#include "tests/support/session_lock.h"
#include "tests/support/store_builder.h"
#include "toolbar/font_catalog.h"
#include "toolbar/tool_tip_window.h"
#include "toolbar/toolbar_messages.h"

namespace {

constexpr int kTop = 4;
constexpr int kHeight = 22;
const char kFace[] = "Tahoma";
constexpr int kFontSize = 13;
const COLORREF kPictureColour = RGB(0, 128, 255);
const COLORREF kWhite = ButtonControl::kHighlightColour;
const COLORREF kGrey = ButtonControl::kShadowColour;

std::string HandleText(HGDIOBJ handle) {
  return LongToString(static_cast<long>(reinterpret_cast<LONG_PTR>(handle)));
}

// The controls live in a topmost stand-in for the toolbar strip, each made
// the way the strip makes them: an object in the control store with its
// kind and "TextVisible" written, a font from the catalogue, the shared
// tooltip, then a layout.
class ButtonControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lock_.held());
    MovePointerTo(20, 20);
    ASSERT_TRUE(host_.Create(200, 300, 600, 30, RecordingWindow::Shown::kTopmost));
    // The strip owns the tooltip. Here a hidden window does: Wine hands a
    // shown window that owns popups to a window manager, and hiding it then
    // waits two seconds for one that is not there.
    ASSERT_TRUE(tooltip_owner_.Create(0, 0, 10, 10, RecordingWindow::Shown::kHidden));
    ASSERT_TRUE(tooltip_.Create(GetModuleHandleA(nullptr), tooltip_owner_.window(), 0, 0, 50, 20));
    tooltip_.SetFont(catalog_.CreatePlainFont("MS Sans Serif", 12));
  }

  void TearDown() override {
    controls_.clear();
    for (HBITMAP picture : pictures_) DeleteObject(picture);
  }

  ButtonControl* Add(const std::string& name, const std::string& type_word, int kind,
                     const Properties& properties, int x) {
    Properties written = {{"Type", IntToString(kind)}, {"TextVisible", "true"}};
    written.insert(written.end(), properties.begin(), properties.end());
    AddStoreObject(&store_, name, type_word, written);
    auto control = std::make_unique<ButtonControl>();
    control->SetToolTip(&tooltip_);
    if (!control->Create(GetModuleHandleA(nullptr), host_.window(), x, kTop, 60, kHeight, name,
                         &store_)) {
      ADD_FAILURE() << "Create failed for " << name;
      return nullptr;
    }
    control->SetFont(catalog_.CreateFont(kFace, kFontSize, false, false, false));
    control->SetX(x);
    control->LayoutButton();
    UpdateWindow(control->window());
    PumpPending();
    controls_.push_back(std::move(control));
    return controls_.back().get();
  }

  HBITMAP Picture(int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, picture);
    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(kPictureColour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, previous);
    DeleteDC(dc);
    pictures_.push_back(picture);
    return picture;
  }

  // The caption's width by the design: the font's extent of the text and its
  // terminating zero.
  int CaptionWidth(const std::string& text) {
    HFONT font = catalog_.CreateFont(kFace, kFontSize, false, false, false);
    HDC dc = GetDC(host_.window());
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()) + 1, &extent);
    SelectObject(dc, previous);
    ReleaseDC(host_.window(), dc);
    DeleteObject(font);
    return extent.cx;
  }

  POINT Centre(const ButtonControl* control) {
    return ScreenPoint(control->window(), control->width() / 2, kHeight / 2);
  }
  POINT OnHost(int x) { return ScreenPoint(host_.window(), x, 28); }

  void MoveTo(POINT point) {
    MovePointerTo(point.x, point.y);
    PumpPending();
  }
  void Press() {
    PressLeftButton();
    PumpPending();
  }
  void Release() {
    ReleaseLeftButton();
    PumpPending();
  }
  // A whole click at the control's centre; waits for its record when one is
  // due.
  void ClickOn(const ButtonControl* control, bool expect_record) {
    std::size_t before = host_.clicks.size();
    MoveTo(Centre(control));
    Press();
    Release();
    if (expect_record) {
      ASSERT_TRUE(PumpUntil([&] { return host_.clicks.size() > before; }))
          << "no click arrived from " << control->name();
    }
  }

  enum class Edge { kTop, kLeft, kBottom, kRight };
  COLORREF EdgePixel(const ButtonControl* control, Edge edge) {
    int w = control->width();
    switch (edge) {
      case Edge::kTop:
        return ShownPixel(control->window(), w / 2, 0);
      case Edge::kLeft:
        return ShownPixel(control->window(), 0, kHeight / 2);
      case Edge::kBottom:
        return ShownPixel(control->window(), w / 2, kHeight - 1);
      case Edge::kRight:
      default:
        return ShownPixel(control->window(), w - 1, kHeight / 2);
    }
  }
  // Top and left edge in one colour, bottom and right in another.
  void ExpectFrame(const ButtonControl* control, COLORREF top_left, COLORREF bottom_right,
                   const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(EdgePixel(control, Edge::kTop), top_left) << "top edge";
    EXPECT_EQ(EdgePixel(control, Edge::kLeft), top_left) << "left edge";
    EXPECT_EQ(EdgePixel(control, Edge::kBottom), bottom_right) << "bottom edge";
    EXPECT_EQ(EdgePixel(control, Edge::kRight), bottom_right) << "right edge";
  }

  DesktopLock lock_;
  RecordingWindow host_;
  RecordingWindow tooltip_owner_;
  ObjectStore store_;
  FontCatalog catalog_;
  ToolTipWindow tooltip_;
  std::vector<HBITMAP> pictures_;
  std::vector<std::unique_ptr<ButtonControl>> controls_;
  const COLORREF face_ = GetSysColor(COLOR_BTNFACE);
};

TEST_F(ButtonControlTest, WindowOfItsOwnClassKeepsTheControl) {
  ButtonControl* control = Add("btnSearch", "BUTTON", 1, {{"Text", "Go"}}, 0);
  ASSERT_NE(control, nullptr);
  char class_name[64] = {};
  GetClassNameA(control->window(), class_name, sizeof(class_name));
  EXPECT_STREQ(class_name, "btnSearch");
  EXPECT_EQ(GetParent(control->window()), host_.window());
  EXPECT_EQ(GetWindowLongPtrA(control->window(), GWLP_USERDATA),
            reinterpret_cast<LONG_PTR>(control));
  EXPECT_EQ(SendMessageA(control->window(), UM_GETOBJECT, 0, 0),
            reinterpret_cast<LRESULT>(control));

  ButtonControl orphan;
  EXPECT_FALSE(
      orphan.Create(GetModuleHandleA(nullptr), nullptr, 0, 0, 10, 10, "btnOrphan", &store_));
  EXPECT_EQ(orphan.window(), nullptr);
}

// An object named like a class that is not a button's own must still get a
// working button, not a window of that other class.
TEST_F(ButtonControlTest, NameOfAForeignClassStillMakesAButton) {
  for (const char* name : {"Button", "Edit", "OruToolTip"}) {
    SCOPED_TRACE(name);
    ButtonControl* control = Add(name, "BUTTON", 1, {{"Text", name}}, 0);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(SendMessageA(control->window(), UM_GETOBJECT, 0, 0),
              reinterpret_cast<LRESULT>(control));
    EXPECT_EQ(control->width(), CaptionWidth(name) + 4);
  }
}

TEST_F(ButtonControlTest, WidthFollowsCaptionAndPicture) {
  const std::string text = "Search";
  const int caption = CaptionWidth(text);
  const std::string picture = HandleText(Picture(16, 16));
  struct Case {
    const char* name;
    const char* type_word;
    int kind;
    Properties properties;
    int width;
  } cases[] = {
      {"btnCaption", "BUTTON", 1, {{"Text", text}}, caption + 4},
      {"btnBoth", "BUTTON", 1, {{"Text", text}, {"hBitmap", picture}}, caption + 16 + 4},
      {"btnHidden",
       "BUTTON",
       1,
       {{"Text", text}, {"hBitmap", picture}, {"TextVisible", "false"}},
       16 + 4},
      {"btnAlways",
       "BUTTON",
       1,
       {{"Text", text},
        {"hBitmap", picture},
        {"TextVisible", "false"},
        {"TextAlwaysVisible", "true"}},
       caption + 16 + 4},
      {"btnPicture", "BUTTON", 1, {{"hBitmap", picture}}, 16 + 4},
      {"btnEmpty", "BUTTON", 1, {}, 4},
      {"tglCaption", "BUTTON_TOGGLE", 2, {{"Text", text}}, caption + 4},
      {"lblCaption", "LABEL", 4, {{"Text", text}, {"hBitmap", picture}}, caption + 16 + 4},
      {"sepPlain", "BUTTON_SEP", 3, {{"Text", text}, {"hBitmap", picture}}, 7},
      {"spcDefault", "SPACE", 5, {{"Text", text}}, 5},
      {"spcWide", "SPACE", 5, {{"Width", "12"}}, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ButtonControl* control = Add(c.name, c.type_word, c.kind, c.properties, 0);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->width(), c.width);
    EXPECT_EQ(control->LayoutButton(), c.width) << "a second layout agrees";
    EXPECT_EQ(store_.GetProperty(c.name, "Prop", "Width"), IntToString(c.width));
    RECT rect;
    GetWindowRect(control->window(), &rect);
    EXPECT_EQ(rect.right - rect.left, c.width);
    EXPECT_EQ(rect.bottom - rect.top, kHeight);
    control->Show(false);
  }
}

TEST_F(ButtonControlTest, CaptionSwitchesWithTextVisibleAtTheNextLayout) {
  const std::string text = "News";
  ButtonControl* control = Add("btnNews", "BUTTON", 1, {{"Text", text}}, 0);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->width(), CaptionWidth(text) + 4);
  store_.SetProperty("btnNews", "Prop", "TextVisible", "false");
  EXPECT_EQ(control->LayoutButton(), 4);
  store_.SetProperty("btnNews", "Prop", "TextVisible", "true");
  EXPECT_EQ(control->LayoutButton(), CaptionWidth(text) + 4);
}

TEST_F(ButtonControlTest, SeparatorDrawsItsEtchedLine) {
  ButtonControl* separator = Add("sepOne", "BUTTON_SEP", 3, {}, 40);
  ASSERT_NE(separator, nullptr);
  ASSERT_EQ(separator->width(), 7);
  for (int y = 0; y < kHeight; ++y) {
    SCOPED_TRACE("y " + std::to_string(y));
    // The lines run from y 2 towards height - 2, that end point excluded.
    bool on_line = y >= 2 && y < kHeight - 2;
    EXPECT_EQ(ShownPixel(separator->window(), 3, y), on_line ? kGrey : face_);
    EXPECT_EQ(ShownPixel(separator->window(), 4, y), on_line ? kWhite : face_);
    EXPECT_EQ(ShownPixel(separator->window(), 2, y), face_);
    EXPECT_EQ(ShownPixel(separator->window(), 5, y), face_);
  }
}

TEST_F(ButtonControlTest, PaintsPictureCentredAndCaptionBesideIt) {
  const std::string picture = HandleText(Picture(16, 16));
  ButtonControl* plain = Add("btnPlain", "BUTTON", 1, {{"hBitmap", picture}}, 0);
  ButtonControl* both = Add("btnBoth", "BUTTON", 1, {{"hBitmap", picture}, {"Text", "Mail"}}, 30);
  ButtonControl* hidden =
      Add("btnHidden", "BUTTON", 1, {{"hBitmap", picture}, {"Text", "Mail"}}, 200);
  ASSERT_TRUE(plain && both && hidden);
  // (22 - 16) / 2 = 3: the picture fills x 2..17, y 3..18.
  for (ButtonControl* control : {plain, both, hidden}) {
    SCOPED_TRACE(control->name());
    EXPECT_EQ(ShownPixel(control->window(), 2, 3), kPictureColour);
    EXPECT_EQ(ShownPixel(control->window(), 17, 18), kPictureColour);
    EXPECT_EQ(ShownPixel(control->window(), 1, 3), face_);
    EXPECT_EQ(ShownPixel(control->window(), 2, 2), face_);
    EXPECT_EQ(ShownPixel(control->window(), 2, 19), face_);
  }
  auto caption_pixels = [&](ButtonControl* control) {
    int count = 0;
    for (int x = 18; x < 18 + CaptionWidth("Mail"); ++x) {
      for (int y = 0; y < kHeight; ++y) {
        if (ShownPixel(control->window(), x, y) != face_) ++count;
      }
    }
    return count;
  };
  EXPECT_GT(caption_pixels(both), 0) << "the caption is drawn right of the picture";
  // Captions switched off: the next paint leaves the caption out even before
  // a new layout narrows the button.
  ASSERT_GT(caption_pixels(hidden), 0);
  store_.SetProperty("btnHidden", "Prop", "TextVisible", "false");
  InvalidateRect(hidden->window(), nullptr, TRUE);
  UpdateWindow(hidden->window());
  PumpPending();
  EXPECT_EQ(caption_pixels(hidden), 0) << "a hidden caption is not drawn";
}

TEST_F(ButtonControlTest, FrameShowsRestHotPressedAndRaisedStates) {
  ButtonControl* button = Add("btnFrame", "BUTTON", 1, {{"Text", "Frame"}}, 20);
  ASSERT_NE(button, nullptr);
  ExpectFrame(button, face_, face_, "at rest: flat");

  MoveTo(Centre(button));
  ASSERT_TRUE(PumpUntil([&] { return GetCapture() == button->window(); }));
  ExpectFrame(button, kWhite, kGrey, "hot: raised");

  Press();
  ASSERT_TRUE(PumpUntil([&] { return button->pressed(); }));
  ExpectFrame(button, kGrey, kWhite, "pressed: sunken");

  Release();
  ASSERT_TRUE(PumpUntil([&] { return host_.clicks.size() == 1; }));
  ExpectFrame(button, kWhite, kGrey, "released inside: raised");
  EXPECT_EQ(GetCapture(), button->window()) << "the capture is kept after a click";

  MoveTo(OnHost(400));
  ASSERT_TRUE(PumpUntil([&] { return GetCapture() != button->window(); }));
  ExpectFrame(button, face_, face_, "left: flat again");
}

TEST_F(ButtonControlTest, CheckedToggleRestsSunken) {
  ButtonControl* toggle = Add("tglOn", "BUTTON_TOGGLE", 2, {{"Text", "Bold"}, {"On", "true"}}, 20);
  ButtonControl* plain = Add("btnOn", "BUTTON", 1, {{"Text", "Bold"}, {"On", "true"}}, 150);
  ASSERT_TRUE(toggle && plain);
  EXPECT_TRUE(toggle->checked());
  ExpectFrame(toggle, kGrey, kWhite, "checked toggle");

  // Hot and back: the toggle returns to sunken, not flat.
  MoveTo(Centre(toggle));
  ASSERT_TRUE(PumpUntil([&] { return GetCapture() == toggle->window(); }));
  ExpectFrame(toggle, kWhite, kGrey, "hot checked toggle");
  MoveTo(OnHost(400));
  ASSERT_TRUE(PumpUntil([&] { return GetCapture() != toggle->window(); }));
  ExpectFrame(toggle, kGrey, kWhite, "checked toggle after the pointer left");
}

TEST_F(ButtonControlTest, ClickPostsTheRecordToTheParent) {
  ButtonControl* button = Add("btnGo", "BUTTON", 1, {{"Text", "Go"}}, 20);
  ASSERT_NE(button, nullptr);
  ClickOn(button, true);
  ASSERT_EQ(host_.clicks.size(), 1u);
  const RecordingWindow::Click click = host_.clicks[0];
  EXPECT_EQ(click.window, button->window());
  EXPECT_EQ(click.state, 0);
  EXPECT_EQ(click.name, "btnGo");
  EXPECT_EQ(store_.GetProperty("btnGo", "Prop", "On"), "false");

  ClickOn(button, true);
  ASSERT_EQ(host_.clicks.size(), 2u);
  EXPECT_EQ(host_.clicks[1].record, click.record) << "one record, reused for every click";
}

TEST_F(ButtonControlTest, ToggleFlipsWithEveryClick) {
  ButtonControl* toggle = Add("tglBold", "BUTTON_TOGGLE", 2, {{"Text", "Bold"}}, 20);
  ASSERT_NE(toggle, nullptr);
  struct Step {
    LONG_PTR state;
    const char* on;
  } steps[] = {{1, "true"}, {0, "false"}, {1, "true"}};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE("click " + std::to_string(i + 1));
    ClickOn(toggle, true);
    ASSERT_EQ(host_.clicks.size(), i + 1);
    EXPECT_EQ(host_.clicks[i].state, steps[i].state);
    EXPECT_EQ(host_.clicks[i].name, "tglBold");
    EXPECT_EQ(store_.GetProperty("tglBold", "Prop", "On"), steps[i].on);
    EXPECT_EQ(toggle->checked(), steps[i].state == 1);
  }
}

// Each case ends with a real click on another button; since input is handled
// in order, its record arriving means the case's own input was handled too.
TEST_F(ButtonControlTest, PressLeaveAndReleaseElsewherePostsNothing) {
  ButtonControl* button = Add("btnAway", "BUTTON", 1, {{"Text", "Away"}}, 20);
  ButtonControl* witness = Add("btnWitness", "BUTTON", 1, {{"Text", "Witness"}}, 250);
  ASSERT_TRUE(button && witness);

  MoveTo(Centre(button));
  Press();
  ASSERT_TRUE(PumpUntil([&] { return button->pressed(); }));
  MoveTo(OnHost(180));
  ASSERT_TRUE(PumpUntil([&] { return !button->pressed(); }));
  ExpectFrame(button, face_, face_, "after leaving");
  Release();
  ASSERT_TRUE(PumpUntil([&] { return host_.left_button_ups == 1; }))
      << "the release went to the window under the pointer";

  ClickOn(witness, true);
  ASSERT_EQ(host_.clicks.size(), 1u);
  EXPECT_EQ(host_.clicks[0].name, "btnWitness");
  EXPECT_FALSE(store_.PropertyExists("btnAway", "Prop", "On"));
}

TEST_F(ButtonControlTest, ToggleLeftAndReenteredBeforeTheReleaseStaysAsItWas) {
  ButtonControl* toggle = Add("tglBack", "BUTTON_TOGGLE", 2, {{"Text", "Back"}}, 20);
  ButtonControl* witness = Add("btnWitness", "BUTTON", 1, {{"Text", "Witness"}}, 250);
  ASSERT_TRUE(toggle && witness);

  MoveTo(Centre(toggle));
  Press();
  MoveTo(OnHost(180));
  ASSERT_TRUE(PumpUntil([&] { return !toggle->pressed(); }));
  MoveTo(Centre(toggle));
  ASSERT_TRUE(PumpUntil([&] { return GetCapture() == toggle->window(); }));
  Release();
  ClickOn(witness, true);
  ASSERT_EQ(host_.clicks.size(), 1u);
  EXPECT_EQ(host_.clicks[0].name, "btnWitness");
  EXPECT_FALSE(toggle->checked()) << "no click, no flip";
  EXPECT_FALSE(store_.PropertyExists("tglBack", "Prop", "On"));
}

TEST_F(ButtonControlTest, ControlsThatAreNotButtonsNeverReact) {
  struct Case {
    const char* name;
    const char* type_word;
    int kind;
    Properties properties;
  } cases[] = {
      {"lblInfo", "LABEL", 4, {{"Text", "Info"}, {"ToolTip", "Label tip"}}},
      {"btnOff", "BUTTON", 1, {{"Text", "Off"}, {"Enabled", "false"}, {"ToolTip", "Off tip"}}},
      {"spcGap", "SPACE", 5, {{"Width", "30"}, {"ToolTip", "Gap tip"}}},
      {"sepBar", "BUTTON_SEP", 3, {{"ToolTip", "Bar tip"}}},
  };
  ButtonControl* witness = Add("btnWitness", "BUTTON", 1, {{"Text", "Witness"}}, 300);
  ASSERT_NE(witness, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ButtonControl* control = Add(c.name, c.type_word, c.kind, c.properties, 20);
    ASSERT_NE(control, nullptr);
    EXPECT_FALSE(control->enabled());
    MoveTo(Centre(control));
    EXPECT_NE(GetCapture(), control->window());
    EXPECT_EQ(EdgePixel(control, Edge::kTop), face_) << "no hot frame";
    Press();
    EXPECT_FALSE(control->pressed());
    Release();
    ClickOn(witness, true);
    ASSERT_EQ(host_.clicks.size(), 1u);
    EXPECT_EQ(host_.clicks[0].name, "btnWitness");
    EXPECT_FALSE(store_.PropertyExists(c.name, "Prop", "On"));
    EXPECT_FALSE(tooltip_.timing()) << "no tooltip either";
    host_.clicks.clear();
    MoveTo(OnHost(250));
    control->Show(false);
  }
}

TEST_F(ButtonControlTest, TooltipAppearsBelowThePointerAfterTheDelay) {
  ButtonControl* button = Add("btnTip", "BUTTON", 1, {{"Text", "Tip"}, {"ToolTip", "Go home"}}, 20);
  ASSERT_NE(button, nullptr);
  POINT centre = Centre(button);
  MoveTo(centre);
  EXPECT_EQ(tooltip_.text(), "Go home");
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tooltip_.window()) != FALSE; }));
  RECT rect;
  GetWindowRect(tooltip_.window(), &rect);
  EXPECT_EQ(rect.left, centre.x);
  EXPECT_EQ(rect.top, centre.y + 18);

  // Pressing hides it again.
  Press();
  ASSERT_TRUE(PumpUntil([&] { return button->pressed(); }));
  EXPECT_FALSE(IsWindowVisible(tooltip_.window()));
  Release();
}

TEST_F(ButtonControlTest, PressBeforeTheDelayKeepsTheTooltipAway) {
  ButtonControl* button = Add("btnTip", "BUTTON", 1, {{"Text", "Tip"}, {"ToolTip", "Go home"}}, 20);
  ASSERT_NE(button, nullptr);
  MoveTo(Centre(button));
  ASSERT_TRUE(tooltip_.timing());
  Press();
  ASSERT_TRUE(PumpUntil([&] { return button->pressed(); }));
  EXPECT_FALSE(tooltip_.timing());
  PumpFor(1500);  // past the delay
  EXPECT_FALSE(IsWindowVisible(tooltip_.window()));
  Release();
}

TEST_F(ButtonControlTest, NoTooltipTextShowsNoPopup) {
  ButtonControl* button = Add("btnNoTip", "BUTTON", 1, {{"Text", "Plain"}}, 20);
  ASSERT_NE(button, nullptr);
  MoveTo(Centre(button));
  ASSERT_TRUE(tooltip_.timing());
  ASSERT_TRUE(PumpUntil([&] { return !tooltip_.timing(); })) << "the timer never fired";
  PumpPending();
  EXPECT_FALSE(IsWindowVisible(tooltip_.window()));
}

// The strip redraws a menu button's rest frame when its menu closed: flat
// for a button, sunken for a checked toggle.
TEST_F(ButtonControlTest, RestFrameOnRequest) {
  ButtonControl* button = Add("btnMenu", "BUTTON", 1, {{"Text", "Menu"}}, 20);
  ButtonControl* toggle =
      Add("tglMenu", "BUTTON_TOGGLE", 2, {{"Text", "Menu"}, {"On", "true"}}, 150);
  ASSERT_TRUE(button && toggle);
  for (ButtonControl* control : {button, toggle}) {
    control->DrawFrame(WM_LBUTTONUP, true);
  }
  ExpectFrame(button, kWhite, kGrey, "button raised");
  ExpectFrame(toggle, kWhite, kGrey, "toggle raised");
  for (ButtonControl* control : {button, toggle}) {
    control->DrawRestFrame();
  }
  ExpectFrame(button, face_, face_, "button at rest");
  ExpectFrame(toggle, kGrey, kWhite, "checked toggle at rest");
}

}  // namespace
