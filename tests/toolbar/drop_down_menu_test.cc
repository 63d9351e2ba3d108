#include "toolbar/drop_down_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "definition/toolbar_definition.h"
#include "store/object_store.h"
#include "store/strings.h"
#include "tests/support/gui_driver.h"
#include "tests/support/recording_window.h"
#include "tests/support/session_lock.h"
#include "tests/support/store_builder.h"
#include "tests/toolbar/menu_driver.h"
#include "toolbar/toolbar_messages.h"

namespace {

// One line per entry, nested entries indented: "Text #id", "-" for a
// separator, "(greyed)" and ">" for a submenu.
void Describe(const std::vector<MenuDriver::Entry>& entries, const std::string& indent,
              std::string* out) {
  for (const MenuDriver::Entry& entry : entries) {
    *out += indent;
    if (entry.separator) {
      *out += "-\n";
      continue;
    }
    *out += entry.text;
    if (entry.submenu != nullptr) {
      *out += " >\n";
      Describe(entry.entries, indent + "  ", out);
      continue;
    }
    *out += " #" + std::to_string(entry.id);
    if (entry.grayed) *out += " (greyed)";
    *out += "\n";
  }
}

std::string Describe(const std::vector<MenuDriver::Entry>& entries) {
  std::string out;
  Describe(entries, "", &out);
  return out;
}

// The entries of a built popup, read back from the menu itself.
std::vector<MenuDriver::Entry> ReadMenu(HMENU menu) {
  std::vector<MenuDriver::Entry> entries;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text) - 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    MenuDriver::Entry entry;
    entry.text = text;
    entry.id = info.wID;
    entry.separator = (info.fType & MFT_SEPARATOR) != 0;
    entry.grayed = (info.fState & MFS_GRAYED) != 0;
    entry.submenu = info.hSubMenu;
    if (info.hSubMenu != nullptr) entry.entries = ReadMenu(info.hSubMenu);
    entries.push_back(entry);
  }
  return entries;
}

int Depth(const std::vector<MenuDriver::Entry>& entries) {
  int deepest = 0;
  for (const MenuDriver::Entry& entry : entries) {
    if (entry.submenu != nullptr) deepest = std::max(deepest, Depth(entry.entries));
  }
  return deepest + 1;
}

class DropDownMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Entries of another button come first, so that identifiers are not
    // positions within one menu.
    AddStoreObject(&store_, "mnuElsewhere", "MENUITEM",
                   {{"Parent", "btnOther"}, {"Text", "Elsewhere"}});
    menu_.SetStore(&store_);
  }

  std::string Built(const std::string& button) {
    HMENU menu = menu_.BuildPopup(ToolbarDefinition::ListChildren(store_, button));
    return menu == nullptr ? "none" : Describe(ReadMenu(menu));
  }

  ObjectStore store_;
  DropDownMenu menu_;
};

TEST_F(DropDownMenuTest, EntriesInStoreOrderWithSubmenus) {
  AddStoreObject(&store_, "mnuSport", "MENUITEM", {{"Parent", "btnNews"}, {"Text", "Sport"}});
  AddStoreObject(&store_, "mnuLine", "MENUITEM_SEP", {{"Parent", "btnNews"}});
  AddStoreObject(&store_, "mnuMore", "MENUITEM",
                 {{"Parent", "btnNews"}, {"Text", "More"}, {"ActionType", "MENU"}});
  AddStoreObject(&store_, "mnuWeather", "MENUITEM", {{"Parent", "btnNews"}, {"Text", "Weather"}});
  AddStoreObject(&store_, "mnuRain", "MENUITEM", {{"Parent", "mnuMore"}, {"Text", "Rain"}});
  AddStoreObject(&store_, "mnuCase", "MENUITEM", {{"Parent", "btnnews"}, {"Text", "Wrong case"}});
  AddStoreObject(&store_, "mnuEmpty", "MENUITEM",
                 {{"Parent", "btnEmpty"}, {"Text", "Empty"}, {"ActionType", "MENU"}});

  EXPECT_EQ(Built("btnNews"),
            "Sport #9001\n"
            "-\n"
            "More >\n"
            "  Rain #9005\n"
            "Weather #9004\n");
  EXPECT_EQ(Built("btnEmpty"), "Empty #9007 (greyed)\n") << "a submenu without entries";
  EXPECT_EQ(Built("btnNothing"), "none");
}

// A "Parent" chain that leads back to an entry already open above, or one
// that goes on and on, still gives a finite menu.
TEST_F(DropDownMenuTest, CyclicAndDeepChainsGiveFiniteMenus) {
  // Named like its button and its own parent.
  AddStoreObject(&store_, "btnTools", "MENUITEM",
                 {{"Parent", "btnTools"}, {"Text", "Tools"}, {"ActionType", "MENU"}});
  AddStoreObject(&store_, "mnuHelp", "MENUITEM", {{"Parent", "btnTools"}, {"Text", "Help"}});
  EXPECT_EQ(Built("btnTools"),
            "Tools >\n"
            "  Tools #9001 (greyed)\n"
            "  Help #9002\n"
            "Help #9002\n");

  // A longer loop through an entry named like its button.
  AddStoreObject(&store_, "btnLoop", "MENUITEM",
                 {{"Parent", "mnuB"}, {"Text", "Loop"}, {"ActionType", "MENU"}});
  AddStoreObject(&store_, "mnuA", "MENUITEM",
                 {{"Parent", "btnLoop"}, {"Text", "A"}, {"ActionType", "MENU"}});
  AddStoreObject(&store_, "mnuB", "MENUITEM",
                 {{"Parent", "mnuA"}, {"Text", "B"}, {"ActionType", "MENU"}});
  EXPECT_EQ(Built("btnLoop"),
            "A >\n"
            "  B >\n"
            "    Loop >\n"
            "      A #9004 (greyed)\n");

  const int chain = 10000;
  for (int i = 0; i < chain; ++i) {
    AddStoreObject(&store_, "mnuDeep" + std::to_string(i), "MENUITEM",
                   {{"Parent", i == 0 ? "btnDeep" : "mnuDeep" + std::to_string(i - 1)},
                    {"Text", "Level " + std::to_string(i + 1)},
                    {"ActionType", "MENU"}});
  }
  HMENU deep = menu_.BuildPopup(ToolbarDefinition::ListChildren(store_, "btnDeep"));
  ASSERT_NE(deep, nullptr);
  std::vector<MenuDriver::Entry> entries = ReadMenu(deep);
  EXPECT_EQ(Depth(entries), DropDownMenu::kMaxLevels);
  const MenuDriver::Entry* last = &entries.front();
  while (last->submenu != nullptr) last = &last->entries.front();
  EXPECT_EQ(last->text, "Level 16");
  EXPECT_TRUE(last->grayed);
}

TEST_F(DropDownMenuTest, MenusGoWithTheBuilder) {
  AddStoreObject(&store_, "mnuMore", "MENUITEM",
                 {{"Parent", "btnNews"}, {"Text", "More"}, {"ActionType", "MENU"}});
  AddStoreObject(&store_, "mnuRain", "MENUITEM", {{"Parent", "mnuMore"}, {"Text", "Rain"}});
  HMENU top;
  HMENU sub;
  {
    DropDownMenu builder;
    builder.SetStore(&store_);
    top = builder.BuildPopup(ToolbarDefinition::ListChildren(store_, "btnNews"));
    ASSERT_NE(top, nullptr);
    sub = GetSubMenu(top, 0);
    ASSERT_NE(sub, nullptr);
  }
  EXPECT_FALSE(IsMenu(top));
  EXPECT_FALSE(IsMenu(sub));
}

// ShowMenu, driven like a user: below the given point, a choice reaches the
// owner as WM_COMMAND, every menu is gone afterwards and UM_MENUCLOSED names
// the button.
class ShownMenuTest : public DropDownMenuTest {
 protected:
  void SetUp() override {
    DropDownMenuTest::SetUp();
    ASSERT_TRUE(lock_.held());
    ASSERT_TRUE(owner_.Create(100, 100, 300, 30, RecordingWindow::Shown::kForeground));
    AddStoreObject(&store_, "mnuSport", "MENUITEM", {{"Parent", "btnNews"}, {"Text", "Sport"}});
    AddStoreObject(&store_, "mnuLine", "MENUITEM_SEP", {{"Parent", "btnNews"}});
    AddStoreObject(&store_, "mnuWeather", "MENUITEM", {{"Parent", "btnNews"}, {"Text", "Weather"}});
    AddStoreObject(&store_, "mnuMore", "MENUITEM",
                   {{"Parent", "btnNews"}, {"Text", "More"}, {"ActionType", "MENU"}});
    AddStoreObject(&store_, "mnuRain", "MENUITEM", {{"Parent", "mnuMore"}, {"Text", "Rain"}});
    AddStoreObject(&store_, "mnuSnow", "MENUITEM", {{"Parent", "mnuMore"}, {"Text", "Snow"}});
  }

  DesktopLock lock_;
  RecordingWindow owner_;
};

TEST_F(ShownMenuTest, ChoicesReachTheOwner) {
  struct Case {
    const char* what;
    std::vector<MenuDriver::Key> keys;
    int command;  // 0: none
  } cases[] = {
      {"first entry", MenuDriver::Choose(1), 9001},
      {"past the separator", MenuDriver::Choose(2), 9003},
      {"in the submenu",
       {{WM_KEYDOWN, VK_DOWN},
        {WM_KEYDOWN, VK_DOWN},
        {WM_KEYDOWN, VK_DOWN},
        {WM_KEYDOWN, VK_RIGHT},
        {WM_KEYDOWN, VK_DOWN},
        {WM_CHAR, '\r'}},
       9006},
      {"dismissed", MenuDriver::Dismiss(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    owner_.Clear();
    MenuDriver driver(c.keys);
    menu_.ShowMenu(150, 140, owner_.window(), "btnNews");
    ASSERT_TRUE(driver.shown());
    EXPECT_EQ(driver.place().left, 150);
    EXPECT_EQ(driver.place().top, 140);
    EXPECT_EQ(Describe(driver.entries()),
              "Sport #9001\n-\nWeather #9003\nMore >\n  Rain #9005\n  Snow #9006\n");
    for (HMENU menu : driver.menus()) EXPECT_FALSE(IsMenu(menu)) << "a menu was left";

    ASSERT_TRUE(owner_.Settle());
    std::vector<RecordingWindow::Notice> closed = owner_.Of(UM_MENUCLOSED);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].text, "btnNews");
    std::vector<RecordingWindow::Notice> commands = owner_.Of(WM_COMMAND);
    if (c.command == 0) {
      EXPECT_TRUE(commands.empty());
    } else {
      ASSERT_EQ(commands.size(), 1u);
      EXPECT_EQ(LOWORD(commands[0].wparam), c.command);
    }
  }
}

TEST_F(ShownMenuTest, AButtonWithoutEntriesShowsNothing) {
  MenuDriver driver(MenuDriver::Dismiss());
  menu_.ShowMenu(150, 140, owner_.window(), "btnNothing");
  EXPECT_FALSE(driver.shown());
  ASSERT_TRUE(owner_.Settle());
  EXPECT_TRUE(owner_.notices.empty());
}

}  // namespace
