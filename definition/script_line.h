#pragma once

#include <string>
#include <string_view>
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

// The same line as views: into the line itself or into buffers that the
// caller keeps and may reuse for the next line. The interpreter runs on
// these, so that a line costs no copies until its text goes into a store.
struct ScriptLineView {
  ScriptLine::Kind kind = ScriptLine::Kind::kBlank;
  std::string_view text;
  std::string_view comment;
  std::string_view prefix;
  std::string_view key;
  std::string_view value;
  std::string_view command;
  std::string_view arguments;
};

struct ScriptLineBuffers {
  std::string normalized;  // a line with line ends or TABs inside
  std::string folded;      // a line with doubled apostrophes
  std::string arguments;   // argument text holding the comma stand-in
  std::vector<std::string_view> pieces;
};

// Line ends removed, TABs widened to eight spaces, spaces trimmed.
std::string NormalizeScriptLine(const std::string& line);
std::string_view NormalizeScriptLine(std::string_view line, ScriptLineBuffers* buffers);

// Classifies a normalised line: comments (also the trailing " '" kind, unless
// " ''" starts at the same place), doubled apostrophes folded, then the first
// "." and the first "=" decide between command and assignment.
ScriptLine ParseScriptLine(const std::string& normalized);
ScriptLineView ParseScriptLine(std::string_view normalized, ScriptLineBuffers* buffers);

// The text between the first and the second double quote ("" when there is
// no second one); a text without any double quote is returned unchanged.
std::string_view UnquoteArgument(std::string_view piece);

// Splits a command's argument text at commas that stand outside double
// quotes and unquotes every piece. Empty pieces count; unquoted pieces keep
// their spaces.
std::vector<std::string> SplitArguments(const std::string& text);
// The same into buffers->pieces, as views into `text` or buffers->arguments.
void SplitArguments(std::string_view text, ScriptLineBuffers* buffers);
