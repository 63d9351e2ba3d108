#include "definition/script_line.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Kind = ScriptLine::Kind;

TEST(NormalizeScriptLine, RemovesLineEndsWidensTabsAndTrimsSpaces) {
  struct Case {
    const char* line;
    const char* normalized;
  };
  const Case cases[] = {
      {"", ""},
      {"   ", ""},
      {"\t \t", ""},
      {"Qel.Title = x\r", "Qel.Title = x"},
      {"Qel.Title = x\r\n", "Qel.Title = x"},
      {"a\rb\nc", "abc"},
      {"\tQel.Title = \"a\tb\"", "Qel.Title = \"a        b\""},
      {"  x  ", "x"},
      {"\vx\v", "\vx\v"},  // only spaces are trimmed
      {"x \r \n ", "x"},
      {"a\r b", "a b"},
      {"a\t\r", "a"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NormalizeScriptLine(c.line), c.normalized) << "line: " << c.line;
  }
}

TEST(ParseScriptLine, ClassifiesLines) {
  struct Case {
    const char* line;
    Kind kind;
    const char* first;   // key or command word
    const char* second;  // value or argument text
  };
  const Case cases[] = {
      {"", Kind::kBlank, "", ""},
      {"' links toolbar", Kind::kComment, "", ""},
      {"'Qel.Title = x", Kind::kComment, "", ""},
      {"Title = x", Kind::kNoDot, "", ""},
      {"Qel.", Kind::kNothingAfterDot, "", ""},
      {"Qel.Title = \"Links\"", Kind::kAssignment, "Title", "\"Links\""},
      {".Title = x", Kind::kAssignment, "Title", "x"},
      {"Any thing.Title=x", Kind::kAssignment, "Title", "x"},
      {"Qel.BarHeight = 24 ' taller", Kind::kAssignment, "BarHeight", "24"},
      {"Qel.Title = 'x'", Kind::kAssignment, "Title", ""},
      {"Qel.Title = \"a 'b'\"", Kind::kAssignment, "Title", "\"a"},
      {"Qel.Title = \"a ''b''\"", Kind::kAssignment, "Title", "\"a 'b'\""},
      // The first " ''" starts where the first " '" does: nothing is cut, not
      // even the real comment after it.
      {"Qel.Title = \"a ''b''\" ' note", Kind::kAssignment, "Title", "\"a 'b'\" ' note"},
      {"Qel.Title = \"Bob''s\" ' note", Kind::kAssignment, "Title", "\"Bob's\""},
      {"Qel.Title = \"x '''y'''\"", Kind::kAssignment, "Title", "\"x 'y'\""},
      {"Qel.Title = \"O'Neil\"", Kind::kAssignment, "Title", "\"O'Neil\""},
      {"Qel.DataURL = \"addr?a=b\"", Kind::kAssignment, "DataURL", "\"addr?a=b\""},
      {"Qel.DataURL = http://x.org/d.txt", Kind::kAssignment, "DataURL", "http://x.org/d.txt"},
      {"Qel.=5", Kind::kAssignment, "", "5"},
      {"Qel.AddObject \"b\", \"BUTTON\", \"Text=Go\"", Kind::kCommand, "AddObject",
       "\"b\", \"BUTTON\", \"Text=Go\""},
      {"Qel.SetAction \"r\", \"CMD\", \"Uninstall=Remove?\"", Kind::kCommand, "SetAction",
       "\"r\", \"CMD\", \"Uninstall=Remove?\""},
      {"Qel.AddObject", Kind::kCommand, "AddObject", ""},
      {"Qel.AddObject    b,  c", Kind::kCommand, "AddObject", "b,  c"},
      {"Qel. AddObject \"b\"", Kind::kCommand, "", "AddObject \"b\""},
      {"Qel.AddObject b1, BUTTON, Text=Go", Kind::kAssignment, "AddObject b1, BUTTON, Text", "Go"},
  };
  for (const Case& c : cases) {
    ScriptLine line = ParseScriptLine(NormalizeScriptLine(c.line));
    EXPECT_EQ(line.kind, c.kind) << "line: " << c.line;
    if (c.kind == Kind::kAssignment) {
      EXPECT_EQ(line.key, c.first) << "line: " << c.line;
      EXPECT_EQ(line.value, c.second) << "line: " << c.line;
    } else if (c.kind == Kind::kCommand) {
      EXPECT_EQ(line.command, c.first) << "line: " << c.line;
      EXPECT_EQ(line.arguments, c.second) << "line: " << c.line;
    }
  }
}

TEST(UnquoteArgument, TakesTheTextBetweenTheFirstTwoQuotes) {
  struct Case {
    const char* piece;
    const char* result;
  };
  const Case cases[] = {
      {"\"abc\"", "abc"}, {" \"abc\" ", "abc"}, {"x\"abc\"y\"z\"", "abc"}, {"\"\"", ""},
      {"\"abc", ""},      {"abc\"", ""},        {" plain ", " plain "},    {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UnquoteArgument(c.piece), c.result) << "piece: " << c.piece;
  }
}

TEST(SplitArguments, SplitsAtCommasOutsideQuotes) {
  struct Case {
    const char* text;
    std::vector<std::string> arguments;
  };
  const Case cases[] = {
      {"\"a\", \"b\", \"c\"", {"a", "b", "c"}},
      {"\"a\",\"b,c\",\"d\"", {"a", "b,c", "d"}},
      {"\"mnuNews;btnMenu\", \"MENUITEM\", \"Text=News, sports\"",
       {"mnuNews;btnMenu", "MENUITEM", "Text=News, sports"}},
      {"b1, BUTTON, Text", {"b1", " BUTTON", " Text"}},
      {"a,,b", {"a", "", "b"}},
      {"", {""}},
      {",", {"", ""}},
      {"\"a\", \"b", {"a", ""}},
      // Without any double quote there is nothing to protect.
      {"a,b", {"a", "b"}},
      // A control character 0x15 of the text itself comes back as a comma.
      {"\"a\x15"
       "b\", \"c\"",
       {"a,b", "c"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitArguments(c.text), c.arguments) << "text: " << c.text;
  }
}

}  // namespace
