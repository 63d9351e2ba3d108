#include "definition/command_dispatcher.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "definition/toolbar_definition.h"
#include "platform/browser_navigator.h"
#include "platform/host_services.h"
#include "platform/toolbar_view.h"
#include "store/object_store.h"
#include "tests/support/store_builder.h"

namespace {

// Everything the dispatcher did to the world, in a form that compares.
struct Effects {
  std::vector<std::string> navigated;  // requests the browser accepted
  std::vector<std::string> opened;     // shell opens
  std::vector<std::string> asked;      // "question / title"
  int uninstalls = 0;
  int relayouts = 0;
};

bool operator==(const Effects& a, const Effects& b) {
  return a.navigated == b.navigated && a.opened == b.opened && a.asked == b.asked &&
         a.uninstalls == b.uninstalls && a.relayouts == b.relayouts;
}

std::string Join(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += "[" + text + "]";
  return joined;
}

std::ostream& operator<<(std::ostream& out, const Effects& e) {
  return out << "navigated " << Join(e.navigated) << ", opened " << Join(e.opened) << ", asked "
             << Join(e.asked) << ", uninstalls " << e.uninstalls << ", relayouts " << e.relayouts;
}

class FakeBrowser : public BrowserNavigator {
 public:
  explicit FakeBrowser(Effects* effects) : effects_(effects) {}
  bool Navigate(const std::string& address) override {
    if (refuses) return false;
    effects_->navigated.push_back(address);
    return true;
  }
  bool refuses = false;  // as a browser whose Navigate2 throws

 private:
  Effects* effects_;
};

class FakeHost : public HostServices {
 public:
  explicit FakeHost(Effects* effects) : effects_(effects) {}
  void OpenThroughShell(const std::string& target) override { effects_->opened.push_back(target); }
  bool Confirm(const std::string& question, const std::string& title) override {
    effects_->asked.push_back(question + " / " + title);
    return answer_yes;
  }
  void RequestUninstall() override { ++effects_->uninstalls; }
  bool answer_yes = true;

 private:
  Effects* effects_;
};

class FakeStrip : public ToolbarView {
 public:
  explicit FakeStrip(Effects* effects) : effects_(effects) {}
  int SelectedComboIndex(const std::string& combo_name) override {
    auto found = selections.find(combo_name);
    return found == selections.end() ? -1 : found->second;
  }
  void Relayout() override { ++effects_->relayouts; }
  std::map<std::string, int> selections;  // combo boxes that exist

 private:
  Effects* effects_;
};

// A toolbar with a few controls, menu entries and combo entries, and a
// dispatcher attached to fakes of the browser, the host and the strip.
class CommandDispatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    definition_.BarStore()->CreateObject("namBar", "typBar");
    definition_.BarStore()->SetProperty("namBar", "Prop", "Title", "Qel");
    AddStoreObject(definition_.ControlStore(), "lblHello", "LABEL", {{"Text", "Hello"}});
    AddStoreObject(definition_.ControlStore(), "cboEngines", "COMBOBOX", {});
    AddStoreObject(definition_.ComboItemStore(), "cbiWeb", "COMBOBOXITEM",
                   {{"Parent", "cboEngines"}, {"Action", "http://web/?q=<TEXTBOX>"}});
    AddStoreObject(definition_.ComboItemStore(), "cbiOther", "COMBOBOXITEM",
                   {{"Parent", "cboOther"}, {"Action", "http://other/?q=<TEXTBOX>"}});
    AddStoreObject(definition_.ComboItemStore(), "cbiNews", "COMBOBOXITEM",
                   {{"Parent", "cboEngines"}, {"Action", "http://news/<TEXTBOX>/<TEXTBOX>"}});
    strip_.selections["cboEngines"] = 0;
    Attach();
  }

  void Attach() { dispatcher_.Attach(&browser_, &definition_, &strip_, &host_); }

  // An object with the given action; nullptr leaves that property out.
  void AddWithAction(ObjectStore* store, const std::string& name, const std::string& type,
                     const char* action_type, const char* action) {
    AddStoreObject(store, name, type, {});
    if (action_type != nullptr) store->SetProperty(name, "Prop", "ActionType", action_type);
    if (action != nullptr) store->SetProperty(name, "Prop", "Action", action);
  }

  std::string Control(const std::string& name, const std::string& key) {
    return definition_.ControlStore()->GetProperty(name, "Prop", key);
  }

  Effects effects_;
  FakeBrowser browser_{&effects_};
  FakeHost host_{&effects_};
  FakeStrip strip_{&effects_};
  ToolbarDefinition definition_;
  CommandDispatcher dispatcher_;
};

Effects Navigated(std::vector<std::string> addresses) {
  Effects e;
  e.navigated = std::move(addresses);
  return e;
}
Effects Opened(std::vector<std::string> targets) {
  Effects e;
  e.opened = std::move(targets);
  return e;
}
Effects Relaid(int relayouts) {
  Effects e;
  e.relayouts = relayouts;
  return e;
}
Effects Uninstalled(std::vector<std::string> asked, int uninstalls) {
  Effects e;
  e.asked = std::move(asked);
  e.uninstalls = uninstalls;
  return e;
}
const Effects kNothing;

// Button clicks: every action type, with the pressed flag and the captions.
struct ClickCase {
  const char* what;
  const char* action_type;  // nullptr: absent
  const char* action;       // nullptr: absent
  bool pressed;
  bool answer_yes;
  Effects expected;
  const char* text_visible;  // "TextVisible" of every control afterwards
  const char* on;            // "On" of the clicked object afterwards
};

TEST_F(CommandDispatcherTest, ButtonClicksRunEveryActionType) {
  const ClickCase cases[] = {
      {"URL keeps the marker", "URL", "http://a/?q=<TEXTBOX>", false, true,
       Navigated({"http://a/?q=<TEXTBOX>"}), "", ""},
      {"absent type is URL", nullptr, "http://a/", false, true, Navigated({"http://a/"}), "", ""},
      {"absent action is empty", "URL", nullptr, false, true, Navigated({""}), "", ""},
      {"EXE opens through the shell", "EXE", "c:\\tools\\app.exe", false, true,
       Opened({"c:\\tools\\app.exe"}), "", ""},
      {"ShowButtonText pressed", "CMD", "ShowButtonText", true, true, Relaid(1), "true", ""},
      {"ShowButtonText released, value ignored", "CMD", "ShowButtonText=true", false, true,
       Relaid(1), "false", ""},
      {"keys in any case, trimmed", "CMD", " a=1 ; SHOWBUTTONTEXT ", true, true, Relaid(1), "true",
       ""},
      {"ShowButtonText wins over Uninstall", "CMD", "Uninstall=Sure?;ShowButtonText", false, true,
       Relaid(1), "false", ""},
      {"Uninstall with empty message asks nothing", "CMD", "Uninstall=", false, false,
       Uninstalled({}, 1), "", ""},
      {"Uninstall without value asks nothing", "CMD", "Uninstall", false, false, Uninstalled({}, 1),
       "", ""},
      {"Uninstall answered Yes", "CMD", "Uninstall = Remove Qel? ", false, true,
       Uninstalled({"Remove Qel? / Qel"}, 1), "", ""},
      {"Uninstall answered No", "CMD", "Uninstall=Remove Qel?", false, false,
       Uninstalled({"Remove Qel? / Qel"}, 0), "", ""},
      {"CMD with another key", "CMD", "Reload=1", true, true, kNothing, "", ""},
      {"toggle pressed, on-command", "CMD_TOGGLE", "ShowButtonText | ShowButtonText", true, true,
       Relaid(1), "true", "true"},
      {"toggle released, off-command", "CMD_TOGGLE", "ShowButtonText|ShowButtonText", false, true,
       Relaid(1), "false", "false"},
      {"toggle released, empty off-command", "CMD_TOGGLE", "ShowButtonText|", false, true, kNothing,
       "", "false"},
      {"toggle pressed, one half only", "CMD_TOGGLE", "ShowButtonText", true, true, kNothing, "",
       "true"},
      {"toggle ignores Uninstall", "CMD_TOGGLE", "Uninstall=|Uninstall=", true, true, kNothing, "",
       "true"},
      {"MENU belongs to the strip", "MENU", "http://a/", false, true, kNothing, "", ""},
      {"CMD_TEXTBOX belongs to the strip", "CMD_TEXTBOX", "txtSearch", false, true, kNothing, "",
       ""},
      {"CMD_COMBOBOX only on text", "CMD_COMBOBOX", "cboEngines", false, true, kNothing, "", ""},
      {"lower-case url", "url", "http://a/", false, true, kNothing, "", ""},
      {"present but empty type", "", "http://a/", false, true, kNothing, "", ""},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.what);
    ObjectStore* controls = definition_.ControlStore();
    controls->RemoveObject("btnCase");
    controls->RemoveProperty("lblHello", "Prop", "TextVisible");
    controls->RemoveProperty("cboEngines", "Prop", "TextVisible");
    effects_ = Effects();
    host_.answer_yes = c.answer_yes;
    AddWithAction(controls, "btnCase", "BUTTON", c.action_type, c.action);

    dispatcher_.OnButtonClicked("btnCase", c.pressed);

    EXPECT_EQ(effects_, c.expected);
    EXPECT_EQ(Control("lblHello", "TextVisible"), c.text_visible);
    EXPECT_EQ(Control("cboEngines", "TextVisible"), c.text_visible);
    EXPECT_EQ(Control("btnCase", "On"), c.on);
  }
}

TEST_F(CommandDispatcherTest, EventsForUnknownNamesAreDropped) {
  dispatcher_.OnButtonClicked("btnNowhere", true);
  dispatcher_.OnTextSubmitted("txtNowhere", "words");
  dispatcher_.OnMenuItemChosen("mnuNowhere");
  dispatcher_.OnComboItemChosen("cbiNowhere");
  dispatcher_.OnMenuItemChosen("");  // a menu index outside the store
  EXPECT_EQ(effects_, kNothing);
  EXPECT_FALSE(definition_.ControlStore()->ObjectExists("btnNowhere"));
}

TEST_F(CommandDispatcherTest, NothingHappensBeforeAttach) {
  CommandDispatcher unattached;
  unattached.OnButtonClicked("lblHello", true);
  unattached.OnTextSubmitted("lblHello", "x");
  unattached.NavigateBrowser("http://a/");
  unattached.ConfirmAndUninstall("");
  unattached.SetButtonTextVisible(false);
  EXPECT_EQ(effects_, kNothing);
  EXPECT_EQ(Control("lblHello", "TextVisible"), "");
}

struct TextCase {
  const char* what;
  const char* action_type;  // nullptr: absent
  const char* action;
  const char* text;
  Effects expected;
};

TEST_F(CommandDispatcherTest, SubmittedTextReplacesTheMarker) {
  const TextCase cases[] = {
      {"absent type is URL", nullptr, "http://s/?q=<TEXTBOX>", "cats",
       Navigated({"http://s/?q=cats"})},
      {"text and action trimmed", "URL", "  http://s/?q=<TEXTBOX>  ", "  big cats  ",
       Navigated({"http://s/?q=big cats"})},
      {"spaces only become nothing", "URL", "http://s/?q=<TEXTBOX>", "   ",
       Navigated({"http://s/?q="})},
      {"inserted verbatim", "URL", "http://s/?q=<TEXTBOX>", "a b&c=d#e%20",
       Navigated({"http://s/?q=a b&c=d#e%20"})},
      {"marker twice", "URL", "http://<TEXTBOX>/<TEXTBOX>", "x", Navigated({"http://x/x"})},
      {"no marker", "URL", "http://s/", "x", Navigated({"http://s/"})},
      {"text is the marker", "URL", "q=<TEXTBOX>&r=<TEXTBOX>", "<TEXTBOX>",
       Navigated({"q=<TEXTBOX>&r=<TEXTBOX>"})},
      {"marker inside the text", "URL", "q=<TEXTBOX>", "a<TEXTBOX>b<TEXTBOX>",
       Navigated({"q=a<TEXTBOX>b<TEXTBOX>"})},
      {"lower-case url", "url", "http://s/?q=<TEXTBOX>", "x", kNothing},
      {"present but empty type", "", "http://s/?q=<TEXTBOX>", "x", kNothing},
      {"EXE not on this path", "EXE", "notepad.exe", "x", kNothing},
      {"CMD not on this path", "CMD", "ShowButtonText", "x", kNothing},
      {"combo box selection", "CMD_COMBOBOX", " cboEngines ", " kittens ",
       Navigated({"http://web/?q=kittens"})},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.what);
    definition_.ControlStore()->RemoveObject("txtCase");
    effects_ = Effects();
    AddWithAction(definition_.ControlStore(), "txtCase", "TEXTBOX", c.action_type, c.action);

    dispatcher_.OnTextSubmitted("txtCase", c.text);

    EXPECT_EQ(effects_, c.expected);
  }
}

// "CMD_COMBOBOX": the selected entry of the named combo box says where the
// text goes, whatever that entry's own type.
TEST_F(CommandDispatcherTest, ComboBoxTextGoesWhereTheSelectionSays) {
  struct Case {
    const char* what;
    const char* combo;
    int selection;  // what the strip reports; < -1 means no such combo box
    Effects expected;
  } cases[] = {
      {"first entry", "cboEngines", 0, Navigated({"http://web/?q=tea"})},
      {"second entry counts only this box's entries", "cboEngines", 1,
       Navigated({"http://news/tea/tea"})},
      {"no selection still navigates", "cboEngines", -1, Navigated({""})},
      {"selection beyond the entries", "cboEngines", 2, Navigated({""})},
      {"no such combo box", "cboMissing", -2, Navigated({""})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    effects_ = Effects();
    definition_.ControlStore()->RemoveObject("txtCase");
    AddWithAction(definition_.ControlStore(), "txtCase", "TEXTBOX", "CMD_COMBOBOX", c.combo);
    strip_.selections.clear();
    if (c.selection >= -1) strip_.selections[c.combo] = c.selection;

    dispatcher_.OnTextSubmitted("txtCase", "tea");

    EXPECT_EQ(effects_, c.expected);
  }
}

TEST_F(CommandDispatcherTest, SelectedComboItemName) {
  struct Case {
    const char* combo;
    int selection;
    const char* expected;
  } cases[] = {
      {"cboEngines", 0, "cbiWeb"}, {"cboEngines", 1, "cbiNews"}, {"cboEngines", 2, ""},
      {"cboEngines", -1, ""},      {"cboOther", 0, "cbiOther"},  {"cboNone", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.combo) + " at " + std::to_string(c.selection));
    strip_.selections.clear();
    strip_.selections[c.combo] = c.selection;
    EXPECT_EQ(dispatcher_.SelectedComboItemName(c.combo), c.expected);
  }
  strip_.selections.clear();
  EXPECT_EQ(dispatcher_.SelectedComboItemName("cboEngines"), "") << "no such combo box";
}

struct EntryCase {
  const char* what;
  const char* action_type;  // nullptr: absent
  const char* action;       // nullptr: absent
  Effects expected;
};

TEST_F(CommandDispatcherTest, ChosenComboEntriesRunOnlyPlainActions) {
  const EntryCase cases[] = {
      {"plain address", "URL", "http://plain/", Navigated({"http://plain/"})},
      {"absent type is URL", nullptr, "http://plain/", Navigated({"http://plain/"})},
      {"program", "EXE", "calc.exe", Opened({"calc.exe"})},
      {"marker: only chooses the target", "URL", "http://s/?q=<TEXTBOX>", kNothing},
      {"empty action", "URL", "", kNothing},
      {"absent action", "URL", nullptr, kNothing},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.what);
    definition_.ComboItemStore()->RemoveObject("cbiCase");
    effects_ = Effects();
    AddWithAction(definition_.ComboItemStore(), "cbiCase", "COMBOBOXITEM", c.action_type, c.action);
    definition_.ComboItemStore()->SetProperty("cbiCase", "Prop", "Parent", "cboEngines");

    dispatcher_.OnComboItemChosen("cbiCase");

    EXPECT_EQ(effects_, c.expected);
  }
}

TEST_F(CommandDispatcherTest, ChosenMenuEntriesRunUnpressed) {
  const EntryCase cases[] = {
      {"address, marker kept", nullptr, "http://m/<TEXTBOX>", Navigated({"http://m/<TEXTBOX>"})},
      {"program", "EXE", "c:\\a b\\c.exe", Opened({"c:\\a b\\c.exe"})},
      {"captions always off", "CMD", "ShowButtonText", Relaid(1)},
      {"uninstall without question", "CMD", "Uninstall=", Uninstalled({}, 1)},
      {"submenu", "MENU", "http://m/", kNothing},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.what);
    definition_.MenuItemStore()->RemoveObject("mnuCase");
    definition_.ControlStore()->SetProperty("lblHello", "Prop", "TextVisible", "true");
    effects_ = Effects();
    AddWithAction(definition_.MenuItemStore(), "mnuCase", "MENUITEM", c.action_type, c.action);

    dispatcher_.OnMenuItemChosen("mnuCase");

    EXPECT_EQ(effects_, c.expected);
    EXPECT_EQ(Control("lblHello", "TextVisible"), c.expected.relayouts != 0 ? "false" : "true");
  }
}

TEST_F(CommandDispatcherTest, WithoutABrowserAddressesGoToTheShell) {
  AddWithAction(definition_.ControlStore(), "txtSearch", "TEXTBOX", nullptr,
                "http://s/?q=<TEXTBOX>");
  AddWithAction(definition_.ControlStore(), "btnHome", "BUTTON", "URL", "http://home/");

  dispatcher_.Attach(nullptr, &definition_, &strip_, &host_);
  dispatcher_.OnTextSubmitted("txtSearch", "a");
  dispatcher_.OnButtonClicked("btnHome", false);
  EXPECT_EQ(effects_, Opened({"http://s/?q=a", "http://home/"}));

  effects_ = Effects();
  browser_.refuses = true;
  Attach();
  dispatcher_.OnButtonClicked("btnHome", false);
  EXPECT_EQ(effects_, Opened({"http://home/"})) << "a browser that throws";
}

TEST_F(CommandDispatcherTest, QuestionTitleIsTheBarTitle) {
  definition_.BarStore()->RemoveProperty("namBar", "Prop", "Title");
  dispatcher_.ConfirmAndUninstall("Go?");
  EXPECT_EQ(effects_, Uninstalled({"Go? / "}, 1));
}

TEST(FindPropertyKey, KeysCompareTrimmedInAnyCase) {
  struct Case {
    const char* text;
    const char* key;
    bool found;
    const char* value;
  } cases[] = {
      {"ShowButtonText", "ShowButtonText", true, ""},
      {"a=1; showbuttontext ;b=2", " SHOWBUTTONTEXT ", true, ""},
      {" Uninstall = Remove it? ", "uninstall", true, "Remove it?"},
      {"k=1;k=2", "k", true, "1"},
      {"k=a=b", "k", true, "a=b"},
      {"Show Button Text", "ShowButtonText", false, ""},
      {"ShowButtonTextX=1", "ShowButtonText", false, ""},
      {"", "ShowButtonText", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " / " + c.key);
    std::string value = "untouched";
    EXPECT_EQ(CommandDispatcher::FindPropertyKey(c.text, c.key, &value), c.found);
    EXPECT_EQ(value, c.found ? c.value : "untouched");
  }
}

}  // namespace
