#include "toolbar/toolbar_strip.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "definition/toolbar_definition.h"
#include "platform/window_text.h"
#include "store/object_store.h"
#include "store/strings.h"
#include "tests/support/gui_driver.h"
#include "tests/support/recording_window.h"
#include "tests/support/session_lock.h"
#include "tests/support/store_builder.h"
#include "tests/toolbar/menu_driver.h"
#include "tests/toolbar/window_spy.h"
#include "toolbar/button_control.h"
#include "toolbar/combo_box_control.h"
#include "toolbar/pointer_text.h"
#include "toolbar/text_box_control.h"
#include "toolbar/toolbar_messages.h"

namespace {

constexpr int kStripHeight = 22;
constexpr LPARAM kEnterKeyData = 0x1C0001;
constexpr LPARAM kBackspaceKeyData = 0xE0001;

// The window's rectangle in its parent's client coordinates.
RECT Placed(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int ChildCount(HWND window) {
  int count = 0;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    ++count;
  }
  return count;
}

// The window of whatever control the strip made for `name`.
HWND ControlWindow(const ToolbarStrip& strip, const std::string& name) {
  if (const TextBoxControl* text_box = strip.FindTextBox(name)) return text_box->window();
  if (const ComboBoxControl* combo = strip.FindComboBox(name)) return combo->window();
  if (const ButtonControl* button = strip.FindButton(name)) return button->window();
  return nullptr;
}

// The driven menu has been shown and is gone again.
bool Closed(const MenuDriver& driver) {
  return driver.shown() && !driver.menus().empty() && !IsMenu(driver.menus().front());
}

// A strip inside a stand-in for the band host window, built from a
// definition that each test fills first. The tests move focus and show
// menus, so they hold the desktop.
class ToolbarStripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lock_.held());
    ASSERT_TRUE(host_.Create(40, 300, 900, 60, RecordingWindow::Shown::kForeground));
  }

  ObjectStore* Controls() { return definition_.ControlStore(); }

  void BuildStrip() {
    ASSERT_TRUE(strip_.Create(instance_, host_.window(), 0, 0, 100, kStripHeight));
    strip_.Attach(&definition_);
    strip_.Build();
    PumpPending();
  }

  // The usual input controls: a search box, an empty box, and a combo box
  // with three entries after an entry of another combo box.
  void AddInputControls() {
    AddStoreObject(Controls(), "txtSearch", "TEXTBOX", {{"Width", "120"}});
    AddStoreObject(Controls(), "txtEmpty", "TEXTBOX", {});
    AddStoreObject(Controls(), "cboEngines", "COMBOBOX", {{"Width", "90"}});
    AddStoreObject(Controls(), "cboNothing", "COMBOBOX", {});
    ObjectStore* items = definition_.ComboItemStore();
    AddStoreObject(items, "cbiOther", "COMBOBOXITEM", {{"Parent", "cboElse"}, {"Text", "Other"}});
    AddStoreObject(items, "cbiA", "COMBOBOXITEM", {{"Parent", "cboEngines"}, {"Text", "A"}});
    AddStoreObject(items, "cbiB", "COMBOBOXITEM", {{"Parent", "cboEngines"}, {"Text", "B"}});
    AddStoreObject(items, "cbiC", "COMBOBOXITEM", {{"Parent", "cboEngines"}, {"Text", "C"}});
  }

  HWND TextBox(const std::string& name) {
    const TextBoxControl* text_box = strip_.FindTextBox(name);
    return text_box != nullptr ? text_box->window() : nullptr;
  }

  // Posts a key-down to `window` the way the keyboard would queue it.
  static void PostKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, key == VK_RETURN ? kEnterKeyData : kBackspaceKeyData);
  }

  // Presses Enter in `window` and waits until the message queue has handed
  // it on (as whatever the hook left of it) and the strip's notices arrived.
  void PressEnter(HWND window, WindowSpy* spy) {
    spy->Clear();
    PostKey(window, VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !spy->received.empty() && Handled(*spy); }));
    ASSERT_TRUE(host_.Settle());
  }

  // The posted Enter has been dispatched to the control, in some form.
  static bool Handled(const WindowSpy& spy) {
    return spy.Count(WM_LBUTTONUP) + spy.Count(WM_KEYDOWN, VK_RETURN) > 0;
  }

  std::vector<std::string> Texts(UINT message) {
    std::vector<std::string> texts;
    for (const auto& notice : host_.Of(message)) texts.push_back(notice.text);
    return texts;
  }

  DesktopLock lock_;
  RecordingWindow host_;
  ToolbarDefinition definition_;
  ToolbarStrip strip_;
  const HINSTANCE instance_ = GetModuleHandleA(nullptr);
};

TEST_F(ToolbarStripTest, WindowOfClassOruBar) {
  ToolbarStrip orphan;
  EXPECT_FALSE(orphan.Create(instance_, nullptr, 0, 0, 100, kStripHeight));
  EXPECT_EQ(orphan.window(), nullptr);

  BuildStrip();
  char class_name[32] = {};
  GetClassNameA(strip_.window(), class_name, sizeof(class_name));
  EXPECT_STREQ(class_name, "OruBar");
  EXPECT_EQ(GetParent(strip_.window()), host_.window());
  EXPECT_EQ(SendMessageA(strip_.window(), UM_GETOBJECT, 0, 0), reinterpret_cast<LRESULT>(&strip_));
  EXPECT_EQ(GetWindowLongPtrA(strip_.window(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&strip_));
}

// Store order is the order from left to right, with no gaps, and the strip
// ends in a blank as wide as its last control.
TEST_F(ToolbarStripTest, LayoutFromLeftToRight) {
  struct Control {
    const char* name;
    const char* type;
    Properties properties;
    int x;
    int width;
    const char* kind;
  };
  struct Case {
    const char* what;
    std::vector<Control> controls;
    int strip_width;
  } cases[] = {
      {"three spaces",
       {{"spcA", "SPACE", {{"Width", "30"}}, 0, 30, "5"},
        {"spcB", "SPACE", {{"Width", "40"}}, 30, 40, "5"},
        {"spcC", "SPACE", {{"Width", "50"}}, 70, 50, "5"}},
       170},
      {"every kind with its defaults",
       {{"sepA", "BUTTON_SEP", {}, 0, 7, "3"},
        {"txtA", "TEXTBOX", {{"TextVisible", "false"}}, 7, 60, "100"},
        {"cboA", "COMBOBOX", {{"Width", "80"}}, 67, 80, "101"},
        {"spcA", "SPACE", {}, 147, 5, "5"},
        {"btnMenuItem", "MENUITEM", {}, 152, 4, "1"},
        {"btnFancy", "FANCY", {}, 156, 4, "1"},
        {"lblA", "LABEL", {}, 160, 4, "4"},
        {"tglA", "BUTTON_TOGGLE", {}, 164, 4, "2"}},
       172},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ToolbarDefinition definition;
    for (const Control& control : c.controls) {
      AddStoreObject(definition.ControlStore(), control.name, control.type, control.properties);
    }
    ToolbarStrip strip;
    ASSERT_TRUE(strip.Create(instance_, host_.window(), 0, 0, 100, kStripHeight));
    strip.Attach(&definition);
    strip.Build();
    for (const Control& control : c.controls) {
      SCOPED_TRACE(control.name);
      HWND window = ControlWindow(strip, control.name);
      ASSERT_NE(window, nullptr);
      EXPECT_EQ(GetParent(window), strip.window());
      const RECT placed = Placed(window);
      EXPECT_EQ(placed.left, control.x);
      EXPECT_EQ(placed.right - placed.left, control.width);
      EXPECT_EQ(definition.ControlStore()->GetProperty(control.name, "Prop", "Type"), control.kind);
      EXPECT_EQ(definition.ControlStore()->GetProperty(control.name, "Prop", "TextVisible"),
                "true");
    }
    EXPECT_EQ(strip.width(), c.strip_width);
    const RECT strip_rect = Placed(strip.window());
    EXPECT_EQ(strip_rect.right - strip_rect.left, c.strip_width);
    EXPECT_EQ(strip_rect.bottom - strip_rect.top, kStripHeight);
  }
}

// Text boxes and combo boxes sit in the middle of the strip whatever their
// "Y"; buttons take their "Y". A combo box without "Height" is made 200 high.
TEST_F(ToolbarStripTest, InputControlsAreCentred) {
  AddStoreObject(Controls(), "txtSmall", "TEXTBOX", {{"FontSize", "8"}, {"Y", "9"}});
  AddStoreObject(Controls(), "txtLarge", "TEXTBOX", {{"FontSize", "14"}, {"FontName", "Tahoma"}});
  AddStoreObject(Controls(), "cboA", "COMBOBOX", {{"FontSize", "11"}, {"Y", "9"}});
  AddStoreObject(Controls(), "cboTall", "COMBOBOX", {{"Height", "120"}});
  AddStoreObject(Controls(), "spcLow", "SPACE", {{"Y", "6"}});
  BuildStrip();

  int previous_height = 0;
  for (const char* name : {"txtSmall", "txtLarge", "cboA", "cboTall"}) {
    SCOPED_TRACE(name);
    HWND window = ControlWindow(strip_, name);
    ASSERT_NE(window, nullptr);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent = {};
    GetTextExtentPoint32A(dc, "World Wide Web", 15, &extent);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    const int line = static_cast<int>(static_cast<int>(extent.cy * 1.2) * 1.2f);
    const RECT placed = Placed(window);
    EXPECT_EQ(placed.top, (kStripHeight - line) / 2);
    if (name[0] == 't') {
      EXPECT_EQ(placed.bottom - placed.top, line);
      EXPECT_GT(line, previous_height) << "a bigger font gives a taller box";
      previous_height = line;
    } else {
      // The list is as long as the platform makes it for a combo box given
      // its font and then placed at its full height, which a box made at
      // that height before it had the font is not.
      const int full_height = strip_.FindComboBox(name)->height();
      HWND reference =
          CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", nullptr,
                          WS_CHILD | WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_DROPDOWNLIST, 0, 0, 80,
                          full_height, host_.window(), nullptr, instance_, nullptr);
      ASSERT_NE(reference, nullptr);
      SendMessageA(reference, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
      MoveWindow(reference, 0, 0, 80, full_height, TRUE);
      RECT expected = {};
      RECT list = {};
      SendMessageA(reference, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&expected));
      SendMessageA(window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
      DestroyWindow(reference);
      EXPECT_EQ(list.bottom - list.top, expected.bottom - expected.top);
    }
  }
  EXPECT_EQ(strip_.FindComboBox("cboA")->height(), 200);
  EXPECT_EQ(strip_.FindComboBox("cboTall")->height(), 120);
  EXPECT_EQ(Placed(ControlWindow(strip_, "spcLow")).top, 6);
}

// A second Build replaces every control; the "secHeap" text leads to the
// new ones.
TEST_F(ToolbarStripTest, SecondBuildReplacesTheControls) {
  AddInputControls();
  AddStoreObject(Controls(), "btnGo", "BUTTON", {{"Text", "Go"}});
  BuildStrip();
  const char* names[] = {"txtSearch", "txtEmpty", "cboEngines", "cboNothing", "btnGo"};
  std::vector<HWND> before;
  for (const char* name : names) before.push_back(ControlWindow(strip_, name));
  EXPECT_EQ(ChildCount(strip_.window()), 5);

  strip_.Build();
  for (std::size_t i = 0; i < before.size(); ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_FALSE(IsWindow(before[i])) << "the old control is gone";
    HWND now = ControlWindow(strip_, names[i]);
    ASSERT_NE(now, nullptr);
    EXPECT_TRUE(IsWindow(now));
  }
  EXPECT_EQ(ChildCount(strip_.window()), 5);
  EXPECT_EQ(TextToPointer(Controls()->GetProperty("txtSearch", "secHeap", "Edit")),
            strip_.FindTextBox("txtSearch"));
  EXPECT_EQ(TextToPointer(Controls()->GetProperty("cboEngines", "secHeap", "ComboBox")),
            strip_.FindComboBox("cboEngines"));
  EXPECT_EQ(TextToPointer(Controls()->GetProperty("btnGo", "secHeap", "Button")),
            strip_.FindButton("btnGo"));
  EXPECT_EQ(strip_.FindButton("txtSearch"), nullptr) << "finders look under their own key";
  EXPECT_EQ(strip_.TextBoxNameOf(TextBox("txtEmpty")), "txtEmpty");
  EXPECT_EQ(strip_.ComboBoxNameOf(ControlWindow(strip_, "cboNothing")), "cboNothing");
  EXPECT_EQ(strip_.TextBoxNameOf(ControlWindow(strip_, "cboNothing")), "");
}

bool BitmapIsAlive(HBITMAP bitmap, int* width = nullptr) {
  BITMAP info = {};
  if (GetObjectA(bitmap, sizeof(info), &info) == 0) return false;
  if (width != nullptr) *width = info.bmWidth;
  return true;
}

HBITMAP StoredBitmap(ObjectStore* store, const std::string& name) {
  return reinterpret_cast<HBITMAP>(
      static_cast<LONG_PTR>(StringToLong(store->GetProperty(name, "Prop", "hBitmap"))));
}

// Buttons with an "ImageIndex" get their picture cut from the image strip;
// the strip deletes the pictures it made, and only those.
TEST_F(ToolbarStripTest, ButtonPicturesComeFromTheImageStrip) {
  HDC screen = GetDC(nullptr);
  HBITMAP image_strip = CreateCompatibleBitmap(screen, 48, 16);
  HBITMAP foreign = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  ObjectStore* bar = definition_.BarStore();
  bar->CreateObject("namBar", "typBar");
  bar->SetProperty("namBar", "Prop", "BarBitmap",
                   LongToString(static_cast<long>(reinterpret_cast<LONG_PTR>(image_strip))));
  bar->SetProperty("namBar", "Prop", "ButtonImageWidth", "16");
  bar->SetProperty("namBar", "Prop", "BarBitmapHeight", "16");
  AddStoreObject(Controls(), "btnPicture", "BUTTON", {{"ImageIndex", "1"}});
  AddStoreObject(Controls(), "btnPlain", "BUTTON", {{"ImageIndex", "-1"}});
  // A handle that the definition itself wrote belongs to someone else.
  AddStoreObject(
      Controls(), "btnForeign", "BUTTON",
      {{"hBitmap", LongToString(static_cast<long>(reinterpret_cast<LONG_PTR>(foreign)))}});

  auto strip = std::make_unique<ToolbarStrip>();
  ASSERT_TRUE(strip->Create(instance_, host_.window(), 0, 0, 100, kStripHeight));
  strip->Attach(&definition_);
  strip->Build();
  HBITMAP first = StoredBitmap(Controls(), "btnPicture");
  int width = 0;
  ASSERT_TRUE(BitmapIsAlive(first, &width));
  EXPECT_EQ(width, 16);
  EXPECT_EQ(strip->FindButton("btnPicture")->width(), 16 + 4);
  EXPECT_FALSE(Controls()->PropertyExists("btnPlain", "Prop", "hBitmap"));

  strip->Build();
  HBITMAP second = StoredBitmap(Controls(), "btnPicture");
  EXPECT_TRUE(BitmapIsAlive(second));
  if (second != first) {
    EXPECT_FALSE(BitmapIsAlive(first)) << "the earlier picture is freed";
  }

  strip.reset();
  EXPECT_FALSE(BitmapIsAlive(second));
  EXPECT_TRUE(BitmapIsAlive(foreign));
  EXPECT_TRUE(BitmapIsAlive(image_strip));
  DeleteObject(foreign);
  DeleteObject(image_strip);
}

// Addresses go into "secHeap" as text and come back whole, also beyond 32
// bits.
TEST(PointerText, AddressesRoundTrip) {
  const std::uintptr_t addresses[] = {
      0,
      0x1000,
      0x7FFFFFF0,
      static_cast<std::uintptr_t>(0x7FFFFFFFFFFFFFF0ull & UINTPTR_MAX),
      static_cast<std::uintptr_t>(0x000000010000A000ull & UINTPTR_MAX),
      UINTPTR_MAX - 15};
  for (std::uintptr_t address : addresses) {
    SCOPED_TRACE(address);
    void* pointer = reinterpret_cast<void*>(address);
    EXPECT_EQ(TextToPointer(PointerToText(pointer)), pointer) << PointerToText(pointer);
  }
  EXPECT_EQ(TextToPointer(""), nullptr);
  EXPECT_EQ(TextToPointer("none"), nullptr);
}

TEST_F(ToolbarStripTest, EnterInATextBoxSubmitsItsText) {
  AddInputControls();
  BuildStrip();
  HWND search = TextBox("txtSearch");
  WindowSpy spy(search);

  SetWindowTextA(search, "big cats & dogs");
  PressEnter(search, &spy);
  EXPECT_EQ(Texts(UM_TEXTSUBMITTED), std::vector<std::string>{"big cats & dogs"});
  EXPECT_EQ(spy.Count(WM_KEYDOWN, VK_RETURN), 0) << "the control never sees the Enter";
  EXPECT_EQ(spy.Count(WM_CHAR, '\r'), 0);
  EXPECT_EQ(spy.Count(WM_LBUTTONUP), 1);
  EXPECT_TRUE(host_.keys.empty()) << "nor does the parent";

  // Nothing typed: nothing posted, and the key is still kept away.
  host_.Clear();
  SetWindowTextA(search, "");
  PressEnter(search, &spy);
  EXPECT_TRUE(host_.Of(UM_TEXTSUBMITTED).empty());
  EXPECT_EQ(spy.Count(WM_KEYDOWN, VK_RETURN), 0);

  // Looked at without being taken from the queue first: still one notice.
  host_.Clear();
  SetWindowTextA(search, "once");
  spy.Clear();
  PostKey(search, VK_RETURN);
  MSG peeked;
  ASSERT_TRUE(PeekMessageA(&peeked, search, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessageA(&peeked, search, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
  ASSERT_TRUE(PumpUntil([&] { return Handled(spy); }));
  ASSERT_TRUE(host_.Settle());
  EXPECT_EQ(Texts(UM_TEXTSUBMITTED), std::vector<std::string>{"once"});
}

TEST_F(ToolbarStripTest, EnterInAComboBoxSubmitsTheSelectedEntry) {
  AddInputControls();
  BuildStrip();
  HWND combo = ControlWindow(strip_, "cboEngines");
  SendMessageA(combo, CB_SETCURSEL, 2, 0);
  WindowSpy spy(combo);
  PressEnter(combo, &spy);
  EXPECT_EQ(Texts(UM_TEXTSUBMITTED), std::vector<std::string>{"C"});
}

// Backspace arrives as a character even when the browser's loop makes none
// from the key; a text box elsewhere is left alone.
TEST_F(ToolbarStripTest, BackspaceEditsTheText) {
  AddInputControls();
  BuildStrip();
  HWND outsider = CreateWindowExA(0, "Edit", "abc", WS_CHILD | WS_VISIBLE, 400, 30, 80, 20,
                                  host_.window(), nullptr, instance_, nullptr);
  ASSERT_NE(outsider, nullptr);

  struct Case {
    const char* what;
    HWND window;
    const char* expected;
  } cases[] = {
      {"text box of the strip", TextBox("txtSearch"), "ab"},
      {"edit window elsewhere", outsider, "abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetWindowTextA(c.window, "abc");
    SendMessageA(c.window, EM_SETSEL, 3, 3);
    WindowSpy spy(c.window);
    PostKey(c.window, VK_BACK);
    ASSERT_TRUE(PumpUntranslatedUntil([&] { return spy.Count(WM_KEYDOWN, VK_BACK) > 0; }));
    EXPECT_EQ(WindowTextOf(c.window), c.expected);
  }
  DestroyWindow(outsider);
}

TEST_F(ToolbarStripTest, FocusSelectsAllAndSetsTheCurrentControl) {
  AddInputControls();
  BuildStrip();
  HWND search = TextBox("txtSearch");
  SetWindowTextA(search, "selected words");
  SendMessageA(search, EM_SETSEL, 3, 3);
  SetFocus(search);
  ASSERT_TRUE(PumpUntil([&] {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(search, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return start == 0 && end == 14;
  })) << "the whole text is selected";
  EXPECT_EQ(strip_.current_control_name(), "txtSearch");

  SetFocus(ControlWindow(strip_, "cboEngines"));
  ASSERT_TRUE(host_.Settle());
  EXPECT_EQ(strip_.current_control_name(), "cboEngines");

  SetFocus(TextBox("txtEmpty"));
  ASSERT_TRUE(host_.Settle());
  EXPECT_EQ(strip_.current_control_name(), "txtEmpty");
}

TEST_F(ToolbarStripTest, ComboBoxChoicePostsTheEntryName) {
  AddInputControls();
  BuildStrip();
  HWND combo = ControlWindow(strip_, "cboEngines");
  SetFocus(combo);
  ASSERT_TRUE(host_.Settle());
  PostMessageA(combo, WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_TRUE(PumpUntil([&] { return !host_.Of(UM_COMBOCHOSEN).empty(); }));
  std::vector<RecordingWindow::Notice> chosen = host_.Of(UM_COMBOCHOSEN);
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen[0].text, "cbiB");
  EXPECT_EQ(HIWORD(chosen[0].wparam), CBN_SELENDOK);
  EXPECT_EQ(strip_.SelectedComboIndex("cboEngines"), 1);

  // The entry is the one of the combo box that sent the notice, wherever
  // the focus is.
  host_.Clear();
  SetFocus(TextBox("txtSearch"));
  SendMessageA(combo, CB_SETCURSEL, 2, 0);
  SendMessageA(strip_.window(), WM_COMMAND, MAKEWPARAM(0, CBN_SELENDOK),
               reinterpret_cast<LPARAM>(combo));
  ASSERT_TRUE(host_.Settle());
  EXPECT_EQ(Texts(UM_COMBOCHOSEN), std::vector<std::string>{"cbiC"});

  // A choice with nothing selected, or from a combo box without entries,
  // goes nowhere.
  host_.Clear();
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  HWND empty = ControlWindow(strip_, "cboNothing");
  for (HWND window : {combo, empty}) {
    SendMessageA(strip_.window(), WM_COMMAND, MAKEWPARAM(0, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(window));
  }
  ASSERT_TRUE(host_.Settle());
  EXPECT_TRUE(host_.notices.empty());
  EXPECT_EQ(strip_.SelectedComboIndex("cboEngines"), -1);
  EXPECT_EQ(strip_.SelectedComboIndex("cboNothing"), -1);
  EXPECT_EQ(strip_.SelectedComboIndex("txtSearch"), -1);
}

TEST_F(ToolbarStripTest, OnlyMenuCommandsArePassedOn) {
  BuildStrip();
  struct Case {
    int command;
    bool passed;
  } cases[] = {{8999, false}, {9000, true}, {9128, true}, {9256, true}, {9257, false}, {0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    host_.Clear();
    SendMessageA(strip_.window(), WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
    ASSERT_TRUE(host_.Settle());
    std::vector<RecordingWindow::Notice> chosen = host_.Of(UM_MENUCHOSEN);
    ASSERT_EQ(chosen.size(), c.passed ? 1u : 0u);
    if (c.passed) {
      EXPECT_EQ(LOWORD(chosen[0].wparam), c.command);
    }
  }
}

// What a button click does depends on the button's "ActionType": "MENU"
// and "CMD_TEXTBOX" stay in the strip, everything else goes on.
TEST_F(ToolbarStripTest, ButtonClicksByActionType) {
  AddInputControls();
  AddStoreObject(Controls(), "btnGo", "BUTTON", {{"ActionType", "URL"}, {"Action", "http://a/"}});
  AddStoreObject(Controls(), "btnSubmit", "BUTTON",
                 {{"ActionType", "CMD_TEXTBOX"}, {"Action", " txtSearch "}});
  AddStoreObject(Controls(), "btnLost", "BUTTON",
                 {{"ActionType", "CMD_TEXTBOX"}, {"Action", "txtMissing"}});
  AddStoreObject(Controls(), "btnCombo", "BUTTON",
                 {{"ActionType", "CMD_TEXTBOX"}, {"Action", "cboEngines"}});
  AddStoreObject(Controls(), "btnBlank", "BUTTON",
                 {{"ActionType", "CMD_TEXTBOX"}, {"Action", "txtEmpty"}});
  BuildStrip();
  SetWindowTextA(TextBox("txtSearch"), "kittens");

  struct Case {
    const char* button;
    std::vector<std::string> clicks;     // UM_BUTTONCLICKED names
    std::vector<std::string> submitted;  // UM_TEXTSUBMITTED texts
    const char* current;                 // current control afterwards
  } cases[] = {
      {"btnGo", {"btnGo"}, {}, "cboNothing"}, {"btnSubmit", {}, {"kittens"}, "txtSearch"},
      {"btnLost", {}, {}, "cboNothing"},      {"btnCombo", {}, {}, "cboNothing"},
      {"btnBlank", {}, {}, "txtEmpty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    host_.Clear();
    SetFocus(nullptr);
    SetFocus(ControlWindow(strip_, "cboNothing"));
    ASSERT_TRUE(host_.Settle());
    ASSERT_EQ(strip_.current_control_name(), "cboNothing");
    ButtonClickRecord record = {ControlWindow(strip_, c.button), 0, 1, c.button, 0, 0, 0};
    SendMessageA(strip_.window(), UM_BUTTONCLICKED, 0, reinterpret_cast<LPARAM>(&record));
    ASSERT_TRUE(host_.Settle());
    EXPECT_EQ(Texts(UM_BUTTONCLICKED), c.clicks);
    EXPECT_EQ(Texts(UM_TEXTSUBMITTED), c.submitted);
    EXPECT_EQ(strip_.current_control_name(), c.current);
    for (const auto& click : host_.Of(UM_BUTTONCLICKED)) {
      EXPECT_EQ(click.lparam, reinterpret_cast<LPARAM>(&record)) << "the record as received";
    }
  }
}

// A real click on a "MENU" button (or one without "ActionType") opens its
// menu below it; the choice reaches the band host as 9000 + the entry's
// place in the menu item store.
TEST_F(ToolbarStripTest, MenuButtonOpensItsMenu) {
  AddStoreObject(Controls(), "spcLead", "SPACE", {{"Width", "25"}});
  AddStoreObject(Controls(), "btnNews", "BUTTON", {{"Text", "News"}, {"FontSize", "13"}});
  AddStoreObject(Controls(), "btnTools", "BUTTON",
                 {{"Text", "Tools"}, {"ActionType", "MENU"}, {"FontSize", "13"}});
  ObjectStore* items = definition_.MenuItemStore();
  AddStoreObject(items, "mnuFirst", "MENUITEM", {{"Parent", "btnElse"}, {"Text", "Elsewhere"}});
  AddStoreObject(items, "mnuSport", "MENUITEM", {{"Parent", "btnNews"}, {"Text", "Sport"}});
  AddStoreObject(items, "mnuLine", "MENUITEM_SEP", {{"Parent", "btnNews"}});
  AddStoreObject(items, "mnuWeather", "MENUITEM", {{"Parent", "btnNews"}, {"Text", "Weather"}});
  AddStoreObject(items, "mnuHelp", "MENUITEM", {{"Parent", "btnTools"}, {"Text", "Help"}});
  BuildStrip();

  struct Case {
    const char* button;
    std::vector<MenuDriver::Key> keys;
    int command;
  } cases[] = {
      {"btnNews", MenuDriver::Choose(2), 9003},
      {"btnNews", {{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_RETURN}}, 9001},
      {"btnTools", MenuDriver::Choose(1), 9004},
      {"btnTools", MenuDriver::Dismiss(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " " + std::to_string(c.command));
    host_.Clear();
    const ButtonControl* button = strip_.FindButton(c.button);
    ASSERT_NE(button, nullptr);
    RECT button_rect;
    GetWindowRect(button->window(), &button_rect);
    MenuDriver driver(c.keys);
    const POINT centre = ScreenPoint(button->window(), button->width() / 2, kStripHeight / 2);
    MovePointerTo(centre.x, centre.y);
    PressLeftButton();
    ReleaseLeftButton();
    ASSERT_TRUE(PumpUntil([&] { return Closed(driver); })) << "the menu opened and closed again";
    EXPECT_EQ(driver.place().left, button_rect.left);
    EXPECT_EQ(driver.place().top, button_rect.bottom);
    ASSERT_TRUE(host_.Settle());
    std::vector<RecordingWindow::Notice> chosen = host_.Of(UM_MENUCHOSEN);
    EXPECT_TRUE(host_.Of(UM_BUTTONCLICKED).empty());
    if (c.command == 0) {
      EXPECT_TRUE(chosen.empty());
    } else {
      ASSERT_EQ(chosen.size(), 1u);
      EXPECT_EQ(LOWORD(chosen[0].wparam), c.command);
    }
    MovePointerTo(10, 10);
    PumpPending();
  }
}

// A self-parented menu entry and a chain of 10,000 nested entries each open
// a finite menu from their button.
TEST_F(ToolbarStripTest, CyclicAndDeepMenusShowFinitely) {
  AddStoreObject(Controls(), "btnTools", "BUTTON", {{"Text", "Tools"}, {"FontSize", "13"}});
  AddStoreObject(Controls(), "btnDeep", "BUTTON", {{"Text", "Deep"}, {"FontSize", "13"}});
  ObjectStore* items = definition_.MenuItemStore();
  AddStoreObject(items, "btnTools", "MENUITEM",
                 {{"Parent", "btnTools"}, {"Text", "Tools"}, {"ActionType", "MENU"}});
  for (int i = 0; i < 10000; ++i) {
    AddStoreObject(items, "mnuDeep" + std::to_string(i), "MENUITEM",
                   {{"Parent", i == 0 ? "btnDeep" : "mnuDeep" + std::to_string(i - 1)},
                    {"Text", "Level " + std::to_string(i + 1)},
                    {"ActionType", "MENU"}});
  }
  BuildStrip();

  struct Case {
    const char* button;
    int depth;
  } cases[] = {{"btnTools", 2}, {"btnDeep", 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    const ButtonControl* button = strip_.FindButton(c.button);
    ASSERT_NE(button, nullptr);
    ButtonClickRecord record = {button->window(), 0, 0, c.button, 0, 0, 0};
    MenuDriver driver(MenuDriver::Dismiss());
    PostMessageA(strip_.window(), UM_BUTTONCLICKED, 0, reinterpret_cast<LPARAM>(&record));
    ASSERT_TRUE(PumpUntil([&] { return Closed(driver); }));
    EXPECT_EQ(driver.Depth(), c.depth);
    for (HMENU menu : driver.menus()) EXPECT_FALSE(IsMenu(menu));
  }
}

// Every strip installs a hook; the newest one's is passed messages on to.
// Removing it makes the older one's current again, and that one still works.
TEST_F(ToolbarStripTest, OlderStripsHookKeepsWorking) {
  AddInputControls();
  BuildStrip();
  EXPECT_EQ(ToolbarStrip::CurrentHook(), strip_.hook());

  ToolbarDefinition newer_definition;
  AddStoreObject(newer_definition.ControlStore(), "txtNewer", "TEXTBOX", {});
  auto newer = std::make_unique<ToolbarStrip>();
  ASSERT_NE(newer->hook(), nullptr);
  ASSERT_TRUE(newer->Create(instance_, host_.window(), 0, 30, 100, kStripHeight));
  newer->Attach(&newer_definition);
  newer->Build();
  EXPECT_EQ(ToolbarStrip::CurrentHook(), newer->hook());

  // Both hooks see the key; it is still one Backspace.
  HWND search = TextBox("txtSearch");
  SetWindowTextA(search, "abc");
  SendMessageA(search, EM_SETSEL, 3, 3);
  {
    WindowSpy spy(search);
    PostKey(search, VK_BACK);
    ASSERT_TRUE(PumpUntranslatedUntil([&] { return spy.Count(WM_KEYDOWN, VK_BACK) > 0; }));
  }
  EXPECT_EQ(WindowTextOf(search), "ab");

  newer.reset();
  EXPECT_EQ(ToolbarStrip::CurrentHook(), strip_.hook());
  WindowSpy spy(search);
  PressEnter(search, &spy);
  EXPECT_EQ(Texts(UM_TEXTSUBMITTED), std::vector<std::string>{"ab"});

  // The older strip going first leaves the newer one current.
  auto older = std::make_unique<ToolbarStrip>();
  auto newest = std::make_unique<ToolbarStrip>();
  older.reset();
  EXPECT_EQ(ToolbarStrip::CurrentHook(), newest->hook());
  newest.reset();
  EXPECT_EQ(ToolbarStrip::CurrentHook(), strip_.hook());
}

}  // namespace
