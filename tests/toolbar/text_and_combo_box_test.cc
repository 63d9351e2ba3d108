#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "store/object_store.h"
#include "tests/support/gui_driver.h"
#include "tests/support/recording_window.h"
#include "tests/support/session_lock.h"
#include "tests/support/store_builder.h"
#include "toolbar/combo_box_control.h"
#include "toolbar/font_catalog.h"
#include "toolbar/text_box_control.h"

namespace {

constexpr int kWidth = 90;

// The line height by the design, measured with the font the control's
// window really uses: the sample with its terminating zero, 1.2 times the
// extent's height, then 1.2 (single precision) times that.
int ExpectedLineHeight(HWND control) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  if (font == nullptr) return 0;
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, font);
  const char sample[] = "World Wide Web";
  SIZE extent = {};
  GetTextExtentPoint32A(dc, sample, static_cast<int>(sizeof(sample)), &extent);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  const int measured = static_cast<int>(extent.cy * 1.2);
  return static_cast<int>(measured * 1.2f);
}

// The window's rectangle in its parent's client coordinates.
RECT Placed(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool FontIsAlive(HFONT font) {
  LOGFONTA description;
  return GetObjectA(font, sizeof(description), &description) != 0;
}

// The controls live in a shown, topmost stand-in for the strip, so the
// tests hold the desktop.
class InputControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lock_.held());
    ASSERT_TRUE(host_.Create(100, 500, 400, 40, RecordingWindow::Shown::kTopmost));
  }

  std::vector<std::string> Listed(const ComboBoxControl& combo) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(combo.window(), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[128] = {};
      SendMessageA(combo.window(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      texts.push_back(text);
    }
    return texts;
  }

  DesktopLock lock_;
  RecordingWindow host_;
  FontCatalog catalog_;
  ObjectStore items_;
  const HINSTANCE instance_ = GetModuleHandleA(nullptr);
};

TEST_F(InputControlTest, TextBoxIsAnEmptyEditWindow) {
  TextBoxControl orphan;
  EXPECT_FALSE(orphan.Create(instance_, nullptr, 0, 0, kWidth, 22, "txtOrphan"));
  EXPECT_EQ(orphan.window(), nullptr);

  TextBoxControl text_box;
  ASSERT_TRUE(text_box.Create(instance_, host_.window(), 10, 0, kWidth, 22, "txtSearch"));
  char class_name[32] = {};
  GetClassNameA(text_box.window(), class_name, sizeof(class_name));
  EXPECT_STREQ(class_name, "Edit");
  EXPECT_EQ(GetParent(text_box.window()), host_.window());
  const LONG_PTR style = GetWindowLongPtrA(text_box.window(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL),
            WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
  EXPECT_EQ(style & ES_MULTILINE, 0);
  EXPECT_NE(GetWindowLongPtrA(text_box.window(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(GetWindowTextLengthA(text_box.window()), 0);
  EXPECT_EQ(text_box.name(), "txtSearch");
}

// Both controls sit in the middle of the strip, one line of their font
// high: a bigger font gives a taller text box, still centred.
TEST_F(InputControlTest, RecenterFollowsTheFont) {
  struct Case {
    int font_size;
    int strip_height;
  } cases[] = {{8, 22}, {13, 22}, {20, 22}, {13, 40}, {0, 22}};
  int previous_text_height = -1;
  for (const Case& c : cases) {
    SCOPED_TRACE("font " + std::to_string(c.font_size) + " in " + std::to_string(c.strip_height));
    TextBoxControl text_box;
    ComboBoxControl combo;
    ASSERT_TRUE(text_box.Create(instance_, host_.window(), 0, 0, kWidth, c.strip_height, "txtA"));
    ASSERT_TRUE(combo.Create(instance_, host_.window(), 0, 0, kWidth, 150, "cboA"));
    if (c.font_size > 0) {
      text_box.SetFont(catalog_.CreatePlainFont("Tahoma", c.font_size));
      combo.SetFont(catalog_.CreatePlainFont("Tahoma", c.font_size));
    }
    text_box.SetX(20);
    combo.SetX(150);
    combo.SetWidth(kWidth + 10);

    const int line = ExpectedLineHeight(text_box.window());
    EXPECT_EQ(text_box.Recenter(c.strip_height), line);
    EXPECT_EQ(combo.Recenter(c.strip_height), ExpectedLineHeight(combo.window()));
    const RECT box = Placed(text_box.window());
    EXPECT_EQ(box.left, 20);
    EXPECT_EQ(box.top, (c.strip_height - line) / 2);
    EXPECT_EQ(box.bottom - box.top, line);
    EXPECT_EQ(box.right - box.left, kWidth);
    const RECT list = Placed(combo.window());
    EXPECT_EQ(list.left, 150);
    EXPECT_EQ(list.top, (c.strip_height - ExpectedLineHeight(combo.window())) / 2);
    EXPECT_EQ(list.right - list.left, kWidth + 10);
    EXPECT_EQ(combo.height(), 150) << "the combo box keeps its height";
    if (c.font_size == 0) {
      EXPECT_EQ(line, 0) << "nothing is measured without a font";
    } else if (c.strip_height == 22) {
      EXPECT_GT(line, previous_text_height);
      previous_text_height = line;
    }
  }
}

TEST_F(InputControlTest, FontsBelongToTheControl) {
  TextBoxControl* text_box = new TextBoxControl();
  ASSERT_TRUE(text_box->Create(instance_, host_.window(), 0, 0, kWidth, 22, "txtA"));
  HFONT first = catalog_.CreatePlainFont("Tahoma", 10);
  HFONT second = catalog_.CreatePlainFont("Tahoma", 12);
  text_box->SetFont(first);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(text_box->window(), WM_GETFONT, 0, 0)), first);
  text_box->SetFont(second);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(text_box->window(), WM_GETFONT, 0, 0)), second);
  EXPECT_FALSE(FontIsAlive(first)) << "the replaced font is deleted";
  EXPECT_TRUE(FontIsAlive(second));
  HWND window = text_box->window();
  delete text_box;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(FontIsAlive(second));

  ComboBoxControl* combo = new ComboBoxControl();
  ASSERT_TRUE(combo->Create(instance_, host_.window(), 0, 0, kWidth, 100, "cboA"));
  HFONT own = catalog_.CreatePlainFont("Tahoma", 10);
  combo->SetFont(own);
  window = combo->window();
  delete combo;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(FontIsAlive(own));
}

TEST_F(InputControlTest, ComboBoxListsItsOwnEntriesInStoreOrder) {
  AddStoreObject(&items_, "cbiA", "COMBOBOXITEM", {{"Parent", "cboEngines"}, {"Text", "A"}});
  AddStoreObject(&items_, "cbiElse", "COMBOBOXITEM", {{"Parent", "cboOther"}, {"Text", "Else"}});
  AddStoreObject(&items_, "cbiB", "COMBOBOXITEM", {{"Parent", "cboEngines"}, {"Text", "B"}});
  AddStoreObject(&items_, "cbiNoText", "COMBOBOXITEM", {{"Parent", "cboEngines"}});
  AddStoreObject(&items_, "cbiCase", "COMBOBOXITEM", {{"Parent", "CBOENGINES"}, {"Text", "Case"}});
  AddStoreObject(&items_, "cbiC", "COMBOBOXITEM", {{"Parent", "cboEngines"}, {"Text", "C"}});
  AddStoreObject(&items_, "mnuStray", "MENUITEM", {{"Parent", "cboEngines"}, {"Text", "Stray"}});

  struct Case {
    const char* combo;
    std::vector<std::string> listed;
    int selected;
  } cases[] = {
      {"cboEngines", {"A", "B", "", "C"}, 0},
      {"cboOther", {"Else"}, 0},
      {"cboEmpty", {}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.combo);
    ComboBoxControl combo;
    combo.SetItemStore(&items_);
    ASSERT_TRUE(combo.Create(instance_, host_.window(), 0, 0, kWidth, 200, c.combo));
    char class_name[32] = {};
    GetClassNameA(combo.window(), class_name, sizeof(class_name));
    EXPECT_STREQ(class_name, "ComboBox");
    const LONG_PTR style = GetWindowLongPtrA(combo.window(), GWL_STYLE);
    EXPECT_EQ(style & 0x3, CBS_DROPDOWNLIST);
    EXPECT_NE(style & CBS_NOINTEGRALHEIGHT, 0);
    EXPECT_EQ(style & CBS_SORT, 0);
    EXPECT_EQ(Listed(combo), c.listed);
    EXPECT_EQ(SendMessageA(combo.window(), CB_GETCURSEL, 0, 0), c.selected);
  }

  ComboBoxControl orphan;
  orphan.SetItemStore(&items_);
  EXPECT_FALSE(orphan.Create(instance_, nullptr, 0, 0, kWidth, 200, "cboEngines"));
  EXPECT_EQ(orphan.window(), nullptr);
}

}  // namespace
