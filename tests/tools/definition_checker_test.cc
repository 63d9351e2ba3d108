#include "tools/qeldef/definition_checker.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "definition/toolbar_definition.h"

namespace {

// Each case: lines that come before (to set the scene, without diagnostics
// of their own), then the line under test, and what `check` says about it.
struct Case {
  std::vector<std::string> before;
  std::string line;
  std::vector<std::string> expected;  // "error: ..." / "warning: ...", for the last line
};

std::vector<std::string> Diagnose(const Case& c) {
  std::vector<std::string> lines = c.before;
  lines.push_back(c.line);
  ToolbarDefinition definition;
  definition.Reset();
  DefinitionChecker checker;
  std::vector<std::string> found;
  for (const DefinitionChecker::Diagnostic& d : checker.Check(lines, &definition)) {
    std::string text = std::string(d.error ? "error: " : "warning: ") + d.message;
    if (d.line != static_cast<int>(lines.size()))
      text = "line " + std::to_string(d.line) + ": " + text;
    found.push_back(text);
  }
  return found;
}

const std::vector<std::string> kButton = {"Qel.AddObject \"b1\", \"BUTTON\", \"Text=Go\""};

TEST(DefinitionChecker, LinesWithoutEffectAreErrors) {
  const Case cases[] = {
      {{},
       "Title = x",
       {"error: no \".\" on the line, so it is neither a command nor an assignment"}},
      {{}, "Qel.", {"error: nothing after the \".\""}},
      {{},
       "Qel. AddObject \"a\", \"BUTTON\", \"\"",
       {"error: empty command word (a space after the \".\"?)"}},
      {{},
       "Qel.RemoveObject \"a\"",
       {"error: unknown command \"RemoveObject\"; the commands are AddObject and SetAction"}},
      {{}, "Qel.AddObject \"a\", \"BUTTON\"", {"error: AddObject takes 3 arguments, found 2"}},
      {{}, "Qel.addobject", {"error: AddObject takes 3 arguments, found 1"}},
      {{},
       "Qel.AddObject \"a\", \"BUTTON\", \"Text=x\", \"y\"",
       {"error: AddObject takes 3 arguments, found 4"}},
      {kButton, "Qel.SetAction \"b1\", \"URL\"", {"error: SetAction takes 3 arguments, found 2"}},
      {{},
       "Qel.SetAction \"b1\", \"URL\", \"http://a\"",
       {"error: SetAction for \"b1\", which no store holds yet"}},
      {kButton,
       "Qel.SetAction \" b1\", \"URL\", \"http://a\"",
       {"error: SetAction for \" b1\", which no store holds yet"}},
      {{},
       "Qel.AddObject \"\", \"BUTTON\", \"Text=x\"",
       {"error: AddObject with an empty object name"}},
      {{},
       "Qel.AddObject \"  ;btnMenu\", \"MENUITEM\", \"Text=x\"",
       {"error: AddObject with an empty object name"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Diagnose(c), c.expected) << "line: " << c.line;
  }
}

TEST(DefinitionChecker, LikelyMistakesAreWarnings) {
  const Case cases[] = {
      {{},
       "Qel.AddObject \"a\", \"button\", \"Text=x\"",
       {"warning: unknown object type \"button\" (did you mean \"BUTTON\"?)"}},
      {{},
       "Qel.AddObject \"a\", \"PICTURE\", \"Text=x\"",
       {"warning: unknown object type \"PICTURE\""}},
      {{},
       "Qel.AddObject a, BUTTON, Text",
       {"warning: unknown object type \" BUTTON\" (did you mean \"BUTTON\"?)"}},
      {kButton,
       "Qel.SetAction \"b1\", \"url\", \"http://a\"",
       {"warning: unknown action type \"url\" (did you mean \"URL\"?)"}},
      {kButton,
       "Qel.SetAction \"b1\", \"GO\", \"http://a\"",
       {"warning: unknown action type \"GO\""}},
      {{},
       "Qel.dataurl = http://a",
       {"warning: setting key \"dataurl\" differs from \"DataURL\" only in letter case; the "
        "toolbar "
        "reads \"DataURL\""}},
      {{},
       "Qel.AddObject \"a\", \"BUTTON\", \"text=x\"",
       {"warning: property key \"text\" differs from \"Text\" only in letter case; the toolbar "
        "reads \"Text\""}},
      {{}, "Qel.Title = \"Links", {"warning: unclosed double quote"}},
      {{},
       "Qel.Title = \"a 'b'\"",
       {"warning: unclosed double quote; the text from \" '\" on was cut off as a comment (double "
        "the apostrophe to keep it)"}},
      {{},
       "Qel.AddObject b1, BUTTON, Text=Go",
       {"warning: \"AddObject\" without double quotes became an assignment to the key "
        "\"AddObject b1, BUTTON, Text\""}},
      {kButton,
       "Qel.setaction b1, URL, http://a?q=1",
       {"warning: \"setaction\" without double quotes became an assignment to the key "
        "\"setaction b1, URL, http://a?q\""}},
      {{},
       "Qel.AddObject \"a\", \"BUTTON\", \"Text=x;\"",
       {"warning: empty property key (a stray \";\"?)"}},
      {{},
       "Qel.AddObject \"a\", \"BUTTON\", \"Text=x;; Width=3\"",
       {"warning: empty property key (a stray \";\"?)"}},
      {kButton,
       "Qel.AddObject \"b1\", \"LABEL\", \"Text=x\"",
       {"warning: \"b1\" was added before as \"BUTTON\"; the type \"LABEL\" is ignored"}},
      {{}, "Qel. = 5", {"warning: assignment to an empty key"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Diagnose(c), c.expected) << "line: " << c.line;
  }
}

TEST(DefinitionChecker, SoundLinesSayNothing) {
  const Case cases[] = {
      {{}, "", {}},
      {{}, "   \t", {}},
      {{}, "' a comment, with \"quotes and no dot", {}},
      {{}, "Qel.Title = \"Links\" ' the toolbar's name", {}},
      {{}, "Qel.Title = \"Bob''s links\"", {}},
      {{}, "Qel.DataURL = \"http://127.0.0.1/defs.txt?a=b\"", {}},
      {{}, "Qel.MyOwnSetting = 1", {}},
      {{}, "Qel.AddObject \"btnHome\", \"BUTTON\", \"Text=Home; ToolTip=Start page\"", {}},
      {{}, "Qel.AddObject \"a\", \"SPACE\", \"\"", {}},
      {{}, "Qel.AddObject \"mnuNews;btnMenu\", \"MENUITEM\", \"Text=News, sports\"", {}},
      {kButton, "Qel.AddObject \"b1\", \"BUTTON\", \"ToolTip=again\"", {}},
      {kButton, "Qel.SetAction \"b1\", \"CMD\", \"Uninstall=Remove the toolbar?\"", {}},
      {{"Qel.AddObject \"c1;cbo\", \"COMBOBOXITEM\", \"Text=Web\""},
       "Qel.SetAction \"c1\", \"URL\", \"http://a/?q=<TEXTBOX>\"",
       {}},
      {{}, "Qel.SetAction \"__Nam_Comm\", \"URL\", \"http://ours\"", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Diagnose(c), c.expected) << "line: " << c.line;
  }
}

TEST(DefinitionChecker, CountsLinesFromOneAndRunsTheDefinitionAsItGoes) {
  ToolbarDefinition definition;
  definition.Reset();
  DefinitionChecker checker;
  std::vector<DefinitionChecker::Diagnostic> found = checker.Check(
      {"' start", "Qel.SetAction \"b\", \"URL\", \"x\"", "Qel.AddObject \"b\", \"BUTTON\", \"\"",
       "Qel.SetAction \"b\", \"URL\", \"x\"", "Qel.Frob"},
      &definition);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].line, 2);
  EXPECT_TRUE(found[0].error);
  EXPECT_EQ(found[1].line, 5);
  EXPECT_EQ(definition.ControlStore()->GetProperty("b", "Prop", "Action"), "x");
}

}  // namespace
