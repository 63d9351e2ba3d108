#include "tools/qelhost/scenario.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::string TrimBlanks(const std::string& text) {
  const char* blanks = " \t\r\n";
  std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

// The next word from `pos`: a quoted word runs to the closing quote (or the
// end of the line), an unquoted one to the next space. `pos` moves past it.
bool NextWord(const std::string& text, std::size_t* pos, std::string* word) {
  std::size_t i = text.find_first_not_of(' ', *pos);
  if (i == std::string::npos) {
    *pos = text.size();
    return false;
  }
  if (text[i] == '"') {
    std::size_t close = text.find('"', i + 1);
    if (close == std::string::npos) close = text.size();
    *word = text.substr(i + 1, close - i - 1);
    *pos = close < text.size() ? close + 1 : close;
    return true;
  }
  std::size_t end = text.find(' ', i);
  if (end == std::string::npos) end = text.size();
  *word = text.substr(i, end - i);
  *pos = end;
  return true;
}

// The rest of the line from `pos`, without surrounding spaces; a rest that
// is wholly in double quotes loses them and keeps its inner spaces.
std::string RestOfLine(const std::string& text, std::size_t pos) {
  std::string rest = TrimBlanks(text.substr(pos));
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') {
    return rest.substr(1, rest.size() - 2);
  }
  return rest;
}

bool ParseCount(const std::string& text, int* count) {
  if (text.empty()) return false;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || value < 0 || value > 600000) return false;
  *count = static_cast<int>(value);
  return true;
}

ScenarioStep Invalid(ScenarioStep step, const std::string& problem) {
  step.kind = ScenarioStep::Kind::kInvalid;
  step.problem = problem;
  return step;
}

}  // namespace

bool Scenario::LoadFile(const std::string& path) {
  std::ifstream file(path, std::ios::in | std::ios::binary);
  if (!file) return false;
  Parse(std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));
  return true;
}

void Scenario::Parse(const std::string& text) {
  steps_.clear();
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = TrimBlanks(text.substr(start, end - start));
    if (!line.empty() && line[0] != '#') steps_.push_back(ParseLine(line));
    start = end + 1;
  }
}

ScenarioStep Scenario::ParseLine(const std::string& raw) {
  using Kind = ScenarioStep::Kind;
  ScenarioStep step;
  step.line = TrimBlanks(raw);
  std::size_t pos = 0;
  std::string verb;
  if (!NextWord(step.line, &pos, &verb)) return Invalid(step, "empty step");

  if (verb == "type" || verb == "select") {
    std::string name;
    if (!NextWord(step.line, &pos, &name)) return Invalid(step, "needs a control name");
    std::string rest = RestOfLine(step.line, pos);
    if (rest.empty()) {
      return Invalid(step, verb == "type" ? "needs a text" : "needs an entry text");
    }
    step.kind = verb == "type" ? Kind::kType : Kind::kSelect;
    step.args = {name, rest};
    return step;
  }

  std::string word;
  while (NextWord(step.line, &pos, &word)) step.args.push_back(word);
  std::size_t n = step.args.size();

  if (verb == "click" || verb == "enter") {
    if (n != 1) return Invalid(step, "needs one control name");
    step.kind = verb == "click" ? Kind::kClick : Kind::kEnter;
  } else if (verb == "backspace") {
    if (n < 1 || n > 2) return Invalid(step, "needs a control name and an optional count");
    if (n == 2 && (!ParseCount(step.args[1], &step.count) || step.count < 1)) {
      return Invalid(step, "count must be a positive number");
    }
    step.kind = Kind::kBackspace;
  } else if (verb == "menu") {
    if (n < 2) return Invalid(step, "needs a button and at least one entry text");
    step.kind = Kind::kMenu;
  } else if (verb == "answer") {
    if (n != 1 || (step.args[0] != "yes" && step.args[0] != "no")) {
      return Invalid(step, "answer is yes or no");
    }
    step.kind = Kind::kAnswer;
  } else if (verb == "wait") {
    if (n != 1 || !ParseCount(step.args[0], &step.count)) {
      return Invalid(step, "needs milliseconds (0 to 600000)");
    }
    step.kind = Kind::kWait;
  } else if (verb == "screenshot") {
    if (n != 1) return Invalid(step, "needs one file name");
    step.kind = Kind::kScreenshot;
  } else if (verb == "close") {
    if (n != 0) return Invalid(step, "takes no arguments");
    step.kind = Kind::kClose;
  } else {
    return Invalid(step, "unknown step " + verb);
  }
  return step;
}
