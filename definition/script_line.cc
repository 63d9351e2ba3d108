#include "definition/script_line.h"

#include "store/strings.h"

namespace {

// Stands in for a comma inside double quotes while the arguments are split.
constexpr char kCommaPlaceholder = '\x15';

// Splits r (the text after the ".", with a space appended) at its first
// space into command word and argument text.
void SplitCommand(const std::string& r, ScriptLine* line) {
  std::string arguments;
  line->command = Trim(SplitFirst(r, " ", &arguments));
  line->arguments = Trim(arguments);
}

}  // namespace

std::string NormalizeScriptLine(const std::string& line) {
  // One pass: line ends dropped, TABs widened, then the spaces trimmed.
  std::string text;
  text.reserve(line.size());
  for (char c : line) {
    if (c == '\n' || c == '\r') continue;
    if (c == '\t') {
      text.append(8, ' ');
    } else {
      text += c;
    }
  }
  return Trim(text);
}

ScriptLine ParseScriptLine(const std::string& normalized) {
  ScriptLine line;
  std::string u = normalized;
  if (u.empty()) {
    line.kind = ScriptLine::Kind::kBlank;
    return line;
  }
  if (u[0] == '\'') {
    line.kind = ScriptLine::Kind::kComment;
    line.text = u;
    return line;
  }
  // A trailing comment starts at the first " '", unless that is where the
  // first " ''" starts: a doubled apostrophe there is text, and then nothing
  // on the line is cut.
  std::size_t comment = u.find(" '");
  if (comment != std::string::npos && u.find(" ''") != comment) {
    line.comment = u.substr(comment);
    u = u.substr(0, comment);
  }
  u = ReplaceAll(u, "''", "'");
  line.text = u;

  std::size_t dot = u.find('.');
  if (dot == std::string::npos) {
    line.kind = ScriptLine::Kind::kNoDot;
    return line;
  }
  if (dot + 1 == u.size()) {
    line.kind = ScriptLine::Kind::kNothingAfterDot;
    line.prefix = u.substr(0, dot);
    return line;
  }
  line.prefix = u.substr(0, dot);
  std::string r = u.substr(dot + 1) + " ";
  std::size_t equals = r.find('=');
  if (equals == std::string::npos || r.find('"') < equals) {
    line.kind = ScriptLine::Kind::kCommand;
    SplitCommand(r, &line);
    return line;
  }
  line.kind = ScriptLine::Kind::kAssignment;
  line.key = Trim(r.substr(0, equals));
  line.value = Trim(r.substr(equals + 1));
  return line;
}

std::string UnquoteArgument(const std::string& piece) {
  if (piece.find('"') == std::string::npos) return piece;
  return ExtractBetween(piece, "\"", "\"", nullptr);
}

std::vector<std::string> SplitArguments(const std::string& text) {
  std::string working = text;
  if (working.find(',') != std::string::npos && working.find('"') != std::string::npos) {
    bool inside_quotes = false;
    for (char& c : working) {
      if (c == '"') {
        inside_quotes = !inside_quotes;
      } else if (c == ',' && inside_quotes) {
        c = kCommaPlaceholder;
      }
    }
  }
  std::vector<std::string> pieces;
  Split(working, ",", &pieces);
  for (std::string& piece : pieces) {
    piece = UnquoteArgument(piece);
    for (char& c : piece) {
      if (c == kCommaPlaceholder) c = ',';
    }
  }
  return pieces;
}
