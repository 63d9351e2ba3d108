#pragma once

#include <string>
#include <vector>

// One line of a scenario, read into its verb and arguments.
struct ScenarioStep {
  enum class Kind {
    kInvalid,  // unknown verb or wrong arguments; `problem` says why
    kClick,
    kType,
    kEnter,
    kBackspace,
    kMenu,
    kSelect,
    kAnswer,
    kWait,
    kScreenshot,
    kClose,
  };

  Kind kind = Kind::kInvalid;
  std::string line;               // the step as written, for error lines
  std::vector<std::string> args;  // arguments after the verb, quotes removed
  int count = 1;                  // backspace: key presses; wait: milliseconds
  std::string problem;            // kInvalid only
};

// A scenario file: one step per line; empty lines and lines starting with
// "#" are skipped. Words are separated by spaces; a word in double quotes
// may contain spaces. The last argument of "type" and "select" is the rest
// of the line (quotes around it are removed, so it may start or end with
// spaces).
class Scenario {
 public:
  bool LoadFile(const std::string& path);
  void Parse(const std::string& text);

  static ScenarioStep ParseLine(const std::string& line);

  const std::vector<ScenarioStep>& steps() const { return steps_; }

 private:
  std::vector<ScenarioStep> steps_;
};
