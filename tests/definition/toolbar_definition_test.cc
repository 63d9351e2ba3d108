#include "definition/toolbar_definition.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/definition/store_description.h"

namespace {

constexpr char kAbout[] = "__Nam_Comm";

// The four stores after a fresh start and the given lines; the about object
// is left out of the control store unless a case touches it.
struct Stores {
  std::string controls;
  std::string menus;
  std::string combos;
  std::string bar;  // "namBar"'s section "Prop" only
};

Stores RunLines(const std::vector<std::string>& lines, bool with_about = false) {
  ToolbarDefinition definition;
  definition.Reset();
  definition.RunScriptLines(lines);
  Stores stores;
  stores.controls = DescribeStore(*definition.ControlStore(), with_about ? "" : kAbout);
  stores.menus = DescribeStore(*definition.MenuItemStore());
  stores.combos = DescribeStore(*definition.ComboItemStore());
  stores.bar = DescribeStore(*definition.BarStore());
  return stores;
}

std::string Bar(const std::string& pairs) {
  return "namBar [typBar]" + (pairs.empty() ? std::string() : " Prop{" + pairs + "}");
}

struct Case {
  const char* name;
  std::vector<std::string> lines;
  Stores expected;
};

void RunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Stores got = RunLines(c.lines);
    EXPECT_EQ(got.controls, c.expected.controls);
    EXPECT_EQ(got.menus, c.expected.menus);
    EXPECT_EQ(got.combos, c.expected.combos);
    EXPECT_EQ(got.bar, c.expected.bar);
  }
}

TEST(RunScriptLines, LinesWithoutEffect) {
  RunCases({
      {"empty line", {""}, {"", "", "", Bar("")}},
      {"spaces and TABs", {"  \t  \t"}, {"", "", "", Bar("")}},
      {"comment", {"' Qel.Title = x"}, {"", "", "", Bar("")}},
      {"comment after spaces", {"   'Qel.Title = x"}, {"", "", "", Bar("")}},
      {"no dot", {"Title = x"}, {"", "", "", Bar("")}},
      {"nothing after the dot", {"Qel."}, {"", "", "", Bar("")}},
      {"space after the dot",
       {"Qel. AddObject \"b\", \"BUTTON\", \"Text=x\""},
       {"", "", "", Bar("")}},
      {"unknown command", {"Qel.RemoveObject \"a\", \"b\", \"c\""}, {"", "", "", Bar("")}},
      {"AddObject with two arguments", {"Qel.AddObject \"b\", \"BUTTON\""}, {"", "", "", Bar("")}},
      {"AddObject with four arguments",
       {"Qel.AddObject \"b\", \"BUTTON\", \"Text=x\", \"y\""},
       {"", "", "", Bar("")}},
      {"AddObject without arguments", {"Qel.AddObject"}, {"", "", "", Bar("")}},
      {"AddObject with an empty name",
       {"Qel.AddObject \"\", \"BUTTON\", \"Text=x\""},
       {"", "", "", Bar("")}},
      {"AddObject with a name of spaces",
       {"Qel.AddObject \"   \", \"BUTTON\", \"Text=x\""},
       {"", "", "", Bar("")}},
      {"SetAction before its AddObject",
       {"Qel.SetAction \"b\", \"URL\", \"http://a\"", "Qel.AddObject \"b\", \"BUTTON\", \"\""},
       {"b [BUTTON] Prop{=}", "", "", Bar("")}},
      {"SetAction with two arguments",
       {"Qel.AddObject \"b\", \"BUTTON\", \"Text=x\"", "Qel.SetAction \"b\", \"URL\""},
       {"b [BUTTON] Prop{Text=x}", "", "", Bar("")}},
  });
}

TEST(RunScriptLines, Assignments) {
  RunCases({
      {"quoted value", {"Qel.Title = \"Links\""}, {"", "", "", Bar("Title=Links")}},
      {"unquoted value keeps inner spaces",
       {"Qel.Title = My  Links "},
       {"", "", "", Bar("Title=My  Links")}},
      {"any prefix, also none",
       {"Foo.Title = a", ".BarHeight = 3"},
       {"", "", "", Bar("Title=a;BarHeight=3")}},
      {"trailing comment cut", {"Qel.BarHeight = 24 ' taller"}, {"", "", "", Bar("BarHeight=24")}},
      {"apostrophe after a space starts a comment",
       {"Qel.Title = \"a 'b'\""},
       {"", "", "", Bar("Title=")}},
      {"doubled apostrophes after a space",
       {"Qel.Title = \"a ''b''\""},
       {"", "", "", Bar("Title=a 'b'")}},
      {"doubled apostrophe after a letter",
       {"Qel.Title = \"Bob''s links\""},
       {"", "", "", Bar("Title=Bob's links")}},
      {"single apostrophe after a letter",
       {"Qel.Title = \"Bob's links\""},
       {"", "", "", Bar("Title=Bob's links")}},
      {"three apostrophes shrink to one",
       {"Qel.Title = \"x '''y'''\""},
       {"", "", "", Bar("Title=x 'y'")}},
      {"an = after the first stays in the value",
       {"Qel.DataURL = \"addr?a=b\""},
       {"", "", "", Bar("DataURL=addr?a=b")}},
      {"unquoted address",
       {"Qel.DataURL = http://127.0.0.1/d.txt?x=1"},
       {"", "", "", Bar("DataURL=http://127.0.0.1/d.txt?x=1")}},
      {"text outside the quotes dropped", {"Qel.Title = a\"b\"c"}, {"", "", "", Bar("Title=b")}},
      {"unclosed quote empties the value", {"Qel.Title = \"abc"}, {"", "", "", Bar("Title=")}},
      {"TAB inside quotes becomes eight spaces",
       {"Qel.Title = \"a\tb\""},
       {"", "", "", Bar("Title=a        b")}},
      {"keys keep their letter case",
       {"Qel.dataurl = x", "Qel.DataURL = y"},
       {"", "", "", Bar("dataurl=x;DataURL=y")}},
      {"later value wins, first place kept",
       {"Qel.Title = a", "Qel.BarHeight = 1", "Qel.Title = b"},
       {"", "", "", Bar("Title=b;BarHeight=1")}},
      {"empty key", {"Qel. = 5"}, {"", "", "", Bar("=5")}},
      {"CR LF line end", {"Qel.Title = x\r"}, {"", "", "", Bar("Title=x")}},
      {"AddObject without quotes but with = is an assignment",
       {"Qel.AddObject b1, BUTTON, Text=Go"},
       {"", "", "", Bar("AddObject b1, BUTTON, Text=Go")}},
  });
}

TEST(RunScriptLines, AddObject) {
  RunCases({
      {"a button",
       {"Qel.AddObject \"btnHome\", \"BUTTON\", \"Text=Home; ToolTip=Start page\""},
       {"btnHome [BUTTON] Prop{Text=Home;ToolTip=Start page}", "", "", Bar("")}},
      {"command word in any letter case",
       {"Qel.addobject \"a\", \"LABEL\", \"Text=x\"", "Qel.ADDOBJECT \"b\", \"SPACE\", \"\""},
       {"a [LABEL] Prop{Text=x} | b [SPACE] Prop{=}", "", "", Bar("")}},
      {"type words compared exactly, stored as written",
       {"Qel.AddObject \"a\", \"button\", \"\"", "Qel.AddObject \"m\", \"menuitem\", \"\""},
       {"a [button] Prop{=} | m [menuitem] Prop{=}", "", "", Bar("")}},
      {"menu entry with its parent",
       {"Qel.AddObject \"mnuNews;btnMenu\", \"MENUITEM\", \"Text=News, sports\""},
       {"", "mnuNews [MENUITEM] Prop{Parent=btnMenu;Text=News, sports}", "", Bar("")}},
      {"menu separator",
       {"Qel.AddObject \"sep1;btnMenu\", \"MENUITEM_SEP\", \"\""},
       {"", "sep1 [MENUITEM_SEP] Prop{Parent=btnMenu;=}", "", Bar("")}},
      {"combo entry",
       {"Qel.AddObject \"c1;cboFind\", \"COMBOBOXITEM\", \"Text=Web\""},
       {"", "", "c1 [COMBOBOXITEM] Prop{Parent=cboFind;Text=Web}", Bar("")}},
      {"name and parent trimmed, parent up to the end",
       {"Qel.AddObject \"  m1 ; btn ; x \", \"MENUITEM\", \"Text=a\""},
       {"", "m1 [MENUITEM] Prop{Parent=btn ; x;Text=a}", "", Bar("")}},
      {"empty parent writes none",
       {"Qel.AddObject \"m1;\", \"MENUITEM\", \"Text=a\""},
       {"", "m1 [MENUITEM] Prop{Text=a}", "", Bar("")}},
      {"unquoted arguments keep their spaces",
       {"Qel.AddObject b1, BUTTON, Text"},
       {"b1 [ BUTTON] Prop{Text=}", "", "", Bar("")}},
      {"a comma outside quotes separates",
       {"Qel.AddObject \"a\",\"BUTTON\",\"Text=x\",y"},
       {"", "", "", Bar("")}},
      {"a later pair overwrites an earlier one",
       {"Qel.AddObject \"a\", \"BUTTON\", \"Text=one; Width=5; Text=two\""},
       {"a [BUTTON] Prop{Text=two;Width=5}", "", "", Bar("")}},
      {"trailing ; gives an empty pair",
       {"Qel.AddObject \"a\", \"BUTTON\", \"Text=x;\""},
       {"a [BUTTON] Prop{Text=x;=}", "", "", Bar("")}},
      {"piece without = is a key",
       {"Qel.AddObject \"a\", \"BUTTON\", \"Text=x; FontBold\""},
       {"a [BUTTON] Prop{Text=x;FontBold=}", "", "", Bar("")}},
      {"repeated AddObject keeps the first type and place",
       {"Qel.AddObject \"a\", \"BUTTON\", \"Text=one; Width=5\"",
        "Qel.AddObject \"b\", \"LABEL\", \"Text=b\"",
        "Qel.AddObject \"a\", \"TEXTBOX\", \"Text=two; ToolTip=t\""},
       {"a [BUTTON] Prop{Text=two;Width=5;ToolTip=t} | b [LABEL] Prop{Text=b}", "", "", Bar("")}},
      {"the same name in two stores is two objects",
       {"Qel.AddObject \"x\", \"BUTTON\", \"Text=b\"",
        "Qel.AddObject \"x\", \"COMBOBOXITEM\", \"Text=c\""},
       {"x [BUTTON] Prop{Text=b}", "", "x [COMBOBOXITEM] Prop{Text=c}", Bar("")}},
      {"TAB inside quotes",
       {"Qel.AddObject \"a\", \"BUTTON\", \"Text=a\tb\""},
       {"a [BUTTON] Prop{Text=a        b}", "", "", Bar("")}},
      {"definition order kept",
       {"Qel.AddObject \"z\", \"BUTTON\", \"\"", "Qel.AddObject \"a\", \"BUTTON\", \"\"",
        "Qel.AddObject \"m\", \"BUTTON\", \"\""},
       {"z [BUTTON] Prop{=} | a [BUTTON] Prop{=} | m [BUTTON] Prop{=}", "", "", Bar("")}},
      // Lines that need a working copy (a TAB, a doubled apostrophe, the
      // comma stand-in) between lines that need none: nothing of one line
      // shows in the next.
      {"working copies never leak into the next line",
       {"Qel.AddObject \"a\", \"BUTTON\", \"Text=1\tx\"\r",
        "Qel.AddObject \"it''s\", \"BUTTON\", \"Text=2\"",
        "Qel.AddObject \"c\x15"
        "d\", \"BUTTON\", \"Text=y\x15z\"",
        "Qel.AddObject \"e\", \"BUTTON\", \"Text=e\"\r"},
       {"a [BUTTON] Prop{Text=1        x} | it's [BUTTON] Prop{Text=2} | c,d [BUTTON] "
        "Prop{Text=y,z} | e [BUTTON] Prop{Text=e}",
        "", "", Bar("")}},
  });
}

TEST(RunScriptLines, SetAction) {
  RunCases({
      {"action stored as written",
       {"Qel.AddObject \"btnRemove\", \"BUTTON\", \"Text=Remove\"",
        "Qel.SetAction \"btnRemove\", \"CMD\", \"Uninstall=Remove the toolbar?\""},
       {"btnRemove [BUTTON] Prop{Text=Remove;ActionType=CMD;Action=Uninstall=Remove the "
        "toolbar?}",
        "", "", Bar("")}},
      {"no trimming or case change",
       {"Qel.AddObject \"b\", \"BUTTON\", \"\"", "Qel.SetaCTION \"b\", \"url\", \" x \""},
       {"b [BUTTON] Prop{=;ActionType=url;Action= x }", "", "", Bar("")}},
      {"the name is not trimmed",
       {"Qel.AddObject \"b\", \"BUTTON\", \"\"", "Qel.SetAction \" b\", \"URL\", \"x\""},
       {"b [BUTTON] Prop{=}", "", "", Bar("")}},
      {"combo entry wins over control",
       {"Qel.AddObject \"x\", \"BUTTON\", \"Text=b\"",
        "Qel.AddObject \"x\", \"COMBOBOXITEM\", \"Text=c\"",
        "Qel.SetAction \"x\", \"URL\", \"http://c\""},
       {"x [BUTTON] Prop{Text=b}", "",
        "x [COMBOBOXITEM] Prop{Text=c;ActionType=URL;Action=http://c}", Bar("")}},
      {"menu entry wins over control",
       {"Qel.AddObject \"x\", \"BUTTON\", \"Text=b\"",
        "Qel.AddObject \"x\", \"MENUITEM\", \"Text=m\"",
        "Qel.SetAction \"x\", \"URL\", \"http://m\""},
       {"x [BUTTON] Prop{Text=b}", "x [MENUITEM] Prop{Text=m;ActionType=URL;Action=http://m}", "",
        Bar("")}},
      {"combo entry wins over menu entry",
       {"Qel.AddObject \"x\", \"MENUITEM\", \"Text=m\"",
        "Qel.AddObject \"x\", \"COMBOBOXITEM\", \"Text=c\"",
        "Qel.SetAction \"x\", \"EXE\", \"notepad\""},
       {"", "x [MENUITEM] Prop{Text=m}",
        "x [COMBOBOXITEM] Prop{Text=c;ActionType=EXE;Action=notepad}", Bar("")}},
      {"a second SetAction replaces the first",
       {"Qel.AddObject \"b\", \"BUTTON\", \"\"", "Qel.SetAction \"b\", \"URL\", \"a\"",
        "Qel.SetAction \"b\", \"EXE\", \"b\""},
       {"b [BUTTON] Prop{=;ActionType=EXE;Action=b}", "", "", Bar("")}},
      {"commas inside the action",
       {"Qel.AddObject \"t\", \"BUTTON_TOGGLE\", \"\"",
        "Qel.SetAction \"t\", \"CMD_TOGGLE\", \"ShowButtonText=1, x|ShowButtonText\""},
       {"t [BUTTON_TOGGLE] Prop{=;ActionType=CMD_TOGGLE;Action=ShowButtonText=1, "
        "x|ShowButtonText}",
        "", "", Bar("")}},
  });
}

TEST(ToolbarDefinition, ResetLaysDownTheBarAndTheAboutObjectFirst) {
  ToolbarDefinition definition;
  definition.RunScriptLines(
      {"Qel.AddObject \"old\", \"BUTTON\", \"\"", "Qel.AddObject \"m;x\", \"MENUITEM\", \"\""});
  definition.Reset();
  EXPECT_EQ(DescribeStore(*definition.ControlStore()),
            std::string("__Nam_Comm [BUTTON] Prop{Text=Tarvelin;FontBold=True;"
                        "TextAlwaysVisible=True;ToolTip=About Tarvelin (tm) Individual-Use "
                        "Version;ActionType=URL;Action=") +
                ToolbarDefinition::kAboutPageAddress + "}");
  EXPECT_EQ(DescribeStore(*definition.MenuItemStore()), "");
  EXPECT_EQ(DescribeStore(*definition.ComboItemStore()), "");
  EXPECT_EQ(DescribeStore(*definition.BarStore()), "namBar [typBar]");
}

TEST(ToolbarDefinition, ADefinitionCanChangeTheAboutObjectButNotItsTypeOrPlace) {
  Stores got = RunLines({"Qel.AddObject \"b\", \"BUTTON\", \"Text=b\"",
                         "Qel.AddObject \"__Nam_Comm\", \"LABEL\", \"Text=Ours; ToolTip=\"",
                         "Qel.SetAction \"__Nam_Comm\", \"URL\", \"http://ours\""},
                        true);
  EXPECT_EQ(got.controls,
            "__Nam_Comm [BUTTON] Prop{Text=Ours;FontBold=True;TextAlwaysVisible=True;ToolTip=;"
            "ActionType=URL;Action=http://ours} | b [BUTTON] Prop{Text=b}");
}

TEST(ToolbarDefinition, BarSettingsReadWithDefaults) {
  ToolbarDefinition definition;
  definition.Reset();
  definition.RunScriptLines({"Qel.Title = \"Links\"", "Qel.BarHeight = 24px", "Qel.Empty = \"\"",
                             "Qel.Visible = \" False \"", "Qel.Zero = 0", "Qel.Word = no",
                             "Qel.Negative = -7"});
  struct Case {
    const char* key;
    std::string string_value;
    bool bool_value;  // default true
    int int_value;    // default 99
  };
  const Case cases[] = {
      {"Title", "Links", true, 0},      {"BarHeight", "24px", true, 24}, {"Empty", "", false, 0},
      {"Visible", " False ", false, 0}, {"Zero", "0", false, 0},         {"Word", "no", true, 0},
      {"Negative", "-7", true, -7},     {"Missing", "", true, 99},       {"title", "", true, 99},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(definition.GetBarString(c.key), c.string_value);
    EXPECT_EQ(definition.GetBarBool(c.key, true), c.bool_value);
    EXPECT_EQ(definition.GetBarInt(c.key, 99), c.int_value);
  }
  EXPECT_FALSE(definition.GetBarBool("Missing", false));
}

TEST(ToolbarDefinition, ListChildrenInStoreOrder) {
  ToolbarDefinition definition;
  definition.Reset();
  definition.RunScriptLines({
      "Qel.AddObject \"m2;btnA\", \"MENUITEM\", \"\"",
      "Qel.AddObject \"m1;btnB\", \"MENUITEM\", \"\"",
      "Qel.AddObject \"m0;btnA\", \"MENUITEM_SEP\", \"\"",
      "Qel.AddObject \"sub;m2\", \"MENUITEM\", \"\"",
      "Qel.AddObject \"loose\", \"MENUITEM\", \"\"",
      "Qel.AddObject \"odd\", \"MENUITEM\", \"Parent=btnA\"",
  });
  struct Case {
    const char* parent;
    std::vector<std::string> children;
  };
  const Case cases[] = {
      {"btnA", {"m2", "m0", "odd"}},
      {"btnB", {"m1"}},
      {"m2", {"sub"}},
      {"btna", {}},
      {"", {}},
      {"nobody", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToolbarDefinition::ListChildren(definition.MenuItemStore(), c.parent), c.children)
        << "parent: " << c.parent;
  }
}

TEST(ToolbarDefinition, ExecuteScriptCommandTellsWhetherItTookEffect) {
  ToolbarDefinition definition;
  definition.Reset();
  struct Case {
    const char* command;
    const char* arguments;
    bool effect;
  };
  const Case cases[] = {
      {"AddObject", "\"b\", \"BUTTON\", \"\"", true},
      {" addObject ", "\"b\", \"BUTTON\", \"Text=x\"", true},
      {"SetAction", "\"b\", \"URL\", \"x\"", true},
      {"SetAction", "\"c\", \"URL\", \"x\"", false},
      {"AddObject", "\"\", \"BUTTON\", \"\"", false},
      {"AddObject", "\"b\", \"BUTTON\"", false},
      {"Add Object", "\"b\", \"BUTTON\", \"\"", false},
      {"", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(definition.ExecuteScriptCommand(c.command, c.arguments), c.effect)
        << c.command << " " << c.arguments;
  }
}

}  // namespace
