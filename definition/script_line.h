#pragma once

#include <string>
#include <vector>

// One line of a definition script, classified. The interpreter runs
// assignments and commands and skips everything else; qeldef also reports
// why a line was skipped.
struct ScriptLine {
  enum class Kind {
    kBlank,            // nothing left after normalising
    kComment,          // starts with an apostrophe
    kNoDot,            // no "." anywhere
    kNothingAfterDot,  // the "." is the last character
    kAssignment,       // key = value on the bar settings
    kCommand,          // command word and argument text
  };

  Kind kind = Kind::kBlank;
  std::string text;       // the line after normalising, comment cutting and apostrophe folding
  std::string comment;    // a trailing comment cut off the line, from its " '" on
  std::string prefix;     // the text before the first "." (never interpreted)
  std::string key;        // assignment: trimmed key
  std::string value;      // assignment: trimmed value, still quoted as written
  std::string command;    // command: the command word, trimmed
  std::string arguments;  // command: the argument text, trimmed
};

// Line ends removed, TABs widened to eight spaces, spaces trimmed.
std::string NormalizeScriptLine(const std::string& line);

// Classifies a normalised line: comments (also the trailing " '" kind, unless
// " ''" starts at the same place), doubled apostrophes folded, then the first
// "." and the first "=" decide between command and assignment.
ScriptLine ParseScriptLine(const std::string& normalized);

// The text between the first and the second double quote ("" when there is
// no second one); a text without any double quote is returned unchanged.
std::string UnquoteArgument(const std::string& piece);

// Splits a command's argument text at commas that stand outside double
// quotes and unquotes every piece. Empty pieces count; unquoted pieces keep
// their spaces.
std::vector<std::string> SplitArguments(const std::string& text);
