#include "tools/qelhost/scenario.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = ScenarioStep::Kind;

struct LineCase {
  const char* line;
  Kind kind;
  std::vector<std::string> args;
  int count;
  const char* problem;  // for kInvalid
};

TEST(ScenarioLineTest, ReadsEveryStepAndRefusesWhatDoesNotFit) {
  const LineCase cases[] = {
      {"click tbGo", Kind::kClick, {"tbGo"}, 1, ""},
      {"  click   tbGo  ", Kind::kClick, {"tbGo"}, 1, ""},
      {"click \"two words\"", Kind::kClick, {"two words"}, 1, ""},
      {"click", Kind::kInvalid, {}, 1, "needs one control name"},
      {"click a b", Kind::kInvalid, {"a", "b"}, 1, "needs one control name"},
      {"type txtFirst hello world", Kind::kType, {"txtFirst", "hello world"}, 1, ""},
      {"type txtFirst a  b", Kind::kType, {"txtFirst", "a  b"}, 1, ""},
      {"type txtFirst \"  padded \"", Kind::kType, {"txtFirst", "  padded "}, 1, ""},
      {"type txtFirst \"quote\" inside", Kind::kType, {"txtFirst", "\"quote\" inside"}, 1, ""},
      {"type txtFirst", Kind::kInvalid, {}, 1, "needs a text"},
      {"type", Kind::kInvalid, {}, 1, "needs a control name"},
      {"enter txtFirst", Kind::kEnter, {"txtFirst"}, 1, ""},
      {"backspace txtFirst", Kind::kBackspace, {"txtFirst"}, 1, ""},
      {"backspace txtFirst 3", Kind::kBackspace, {"txtFirst", "3"}, 3, ""},
      {"backspace txtFirst 0",
       Kind::kInvalid,
       {"txtFirst", "0"},
       0,
       "count must be a positive number"},
      {"backspace txtFirst x",
       Kind::kInvalid,
       {"txtFirst", "x"},
       1,
       "count must be a positive number"},
      {"menu btnMenu News", Kind::kMenu, {"btnMenu", "News"}, 1, ""},
      {"menu btnMenu \"News, sports\" Football",
       Kind::kMenu,
       {"btnMenu", "News, sports", "Football"},
       1,
       ""},
      {"menu btnMenu",
       Kind::kInvalid,
       {"btnMenu"},
       1,
       "needs a button and at least one entry text"},
      {"select cboSites Gamma Ray", Kind::kSelect, {"cboSites", "Gamma Ray"}, 1, ""},
      {"select cboSites", Kind::kInvalid, {}, 1, "needs an entry text"},
      {"answer yes", Kind::kAnswer, {"yes"}, 1, ""},
      {"answer no", Kind::kAnswer, {"no"}, 1, ""},
      {"answer Yes", Kind::kInvalid, {"Yes"}, 1, "answer is yes or no"},
      {"wait 250", Kind::kWait, {"250"}, 250, ""},
      {"wait", Kind::kInvalid, {}, 1, "needs milliseconds (0 to 600000)"},
      {"wait -5", Kind::kInvalid, {"-5"}, 1, "needs milliseconds (0 to 600000)"},
      {"wait 600001", Kind::kInvalid, {"600001"}, 1, "needs milliseconds (0 to 600000)"},
      {"screenshot C:\\out\\a.png", Kind::kScreenshot, {"C:\\out\\a.png"}, 1, ""},
      {"screenshot \"C:\\my shots\\a.png\"", Kind::kScreenshot, {"C:\\my shots\\a.png"}, 1, ""},
      {"close", Kind::kClose, {}, 1, ""},
      {"close now", Kind::kInvalid, {"now"}, 1, "takes no arguments"},
      {"Click tbGo", Kind::kInvalid, {"tbGo"}, 1, "unknown step Click"},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.line);
    ScenarioStep step = Scenario::ParseLine(c.line);
    EXPECT_EQ(step.kind, c.kind);
    EXPECT_EQ(step.args, c.args);
    if (c.kind != Kind::kInvalid) {
      EXPECT_EQ(step.count, c.count);
    }
    EXPECT_EQ(step.problem, c.problem);
  }
}

TEST(ScenarioTest, KeepsStepsInOrderAndSkipsCommentsAndBlankLines) {
  Scenario scenario;
  scenario.Parse("# a comment\r\n\r\nclick tbGo\r\n   \r\n  # indented comment\nclose\nwait 5");
  ASSERT_EQ(scenario.steps().size(), 3u);
  EXPECT_EQ(scenario.steps()[0].line, "click tbGo");
  EXPECT_EQ(scenario.steps()[1].kind, Kind::kClose);
  EXPECT_EQ(scenario.steps()[2].count, 5);
}

TEST(ScenarioTest, MissingFileIsReported) {
  Scenario scenario;
  EXPECT_FALSE(scenario.LoadFile("Z:\\no\\such\\scenario.txt"));
}

}  // namespace
