#include "definition/script_line.h"

#include <algorithm>

#include "store/strings.h"

namespace {

// An argument text may hold this byte; it reads as a comma, but one that
// never separates arguments.
constexpr char kCommaStandIn = '\x15';

ScriptLine ToOwned(const ScriptLineView& view) {
  ScriptLine line;
  line.kind = view.kind;
  line.text = view.text;
  line.comment = view.comment;
  line.prefix = view.prefix;
  line.key = view.key;
  line.value = view.value;
  line.command = view.command;
  line.arguments = view.arguments;
  return line;
}

// The first " '", found from the apostrophes: lines hold few of them but
// many spaces, and a search for the pair stops at every space.
std::size_t FindTrailingComment(std::string_view u) {
  for (std::size_t at = u.find('\'', 1); at != std::string_view::npos; at = u.find('\'', at + 1)) {
    if (u[at - 1] == ' ') return at - 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::string_view NormalizeScriptLine(std::string_view line, ScriptLineBuffers* buffers) {
  // Three memchr scans beat one pass that tests every byte (find_first_of
  // even looks each byte up in the set).
  const std::size_t special =
      std::min({line.find('\r'), line.find('\n'), line.find('\t'), line.size()});
  if (special == line.size()) return TrimView(line);
  // The usual case, a CR or CR LF at the end, needs no copy either: only
  // line ends and spaces follow the first special byte.
  if (line.find_first_not_of("\r\n ", special) == std::string_view::npos) {
    return TrimView(line.substr(0, special));
  }
  std::string& text = buffers->normalized;
  text.clear();
  for (char c : line) {
    if (c == '\n' || c == '\r') continue;
    if (c == '\t') {
      text.append(8, ' ');
    } else {
      text += c;
    }
  }
  return TrimView(text);
}

std::string NormalizeScriptLine(const std::string& line) {
  ScriptLineBuffers buffers;
  return std::string(NormalizeScriptLine(std::string_view(line), &buffers));
}

ScriptLineView ParseScriptLine(std::string_view u, ScriptLineBuffers* buffers) {
  ScriptLineView line;
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
  const std::size_t comment = FindTrailingComment(u);
  if (comment != std::string_view::npos && (comment + 2 >= u.size() || u[comment + 2] != '\'')) {
    line.comment = u.substr(comment);
    u = u.substr(0, comment);
  }
  // Doubled apostrophes fold again and again, so every run becomes one.
  if (u.find("''") != std::string_view::npos) {
    std::string& folded = buffers->folded;
    folded.clear();
    for (char c : u) {
      if (c == '\'' && !folded.empty() && folded.back() == '\'') continue;
      folded += c;
    }
    u = folded;
  }
  line.text = u;

  const std::size_t dot = u.find('.');
  if (dot == std::string_view::npos) {
    line.kind = ScriptLine::Kind::kNoDot;
    return line;
  }
  line.prefix = u.substr(0, dot);
  if (dot + 1 == u.size()) {
    line.kind = ScriptLine::Kind::kNothingAfterDot;
    return line;
  }
  const std::string_view rest = u.substr(dot + 1);
  const std::size_t equals = rest.find('=');
  if (equals == std::string_view::npos || rest.find('"') < equals) {
    // The command word ends at the first space.
    line.kind = ScriptLine::Kind::kCommand;
    const std::size_t space = rest.find(' ');
    line.command = TrimView(rest.substr(0, space));
    if (space != std::string_view::npos) line.arguments = TrimView(rest.substr(space + 1));
    return line;
  }
  line.kind = ScriptLine::Kind::kAssignment;
  line.key = TrimView(rest.substr(0, equals));
  line.value = TrimView(rest.substr(equals + 1));
  return line;
}

ScriptLine ParseScriptLine(const std::string& normalized) {
  ScriptLineBuffers buffers;
  return ToOwned(ParseScriptLine(std::string_view(normalized), &buffers));
}

std::string_view UnquoteArgument(std::string_view piece) {
  const std::size_t open = piece.find('"');
  if (open == std::string_view::npos) return piece;
  const std::size_t close = piece.find('"', open + 1);
  if (close == std::string_view::npos) return {};
  return piece.substr(open + 1, close - open - 1);
}

void SplitArguments(std::string_view text, ScriptLineBuffers* buffers) {
  std::vector<std::string_view>& pieces = buffers->pieces;
  pieces.clear();
  // The pieces are cut where `text` has its commas, but taken from a copy
  // in which the stand-in reads as a comma: the two have the same length.
  std::string_view source = text;
  if (text.find(kCommaStandIn) != std::string_view::npos) {
    buffers->arguments.assign(text);
    for (char& c : buffers->arguments) {
      if (c == kCommaStandIn) c = ',';
    }
    source = buffers->arguments;
  }
  // From quote to quote and comma to comma: a comma between an opening
  // quote and its closing one does not separate.
  std::size_t start = 0;
  std::size_t at = 0;
  for (;;) {
    const std::size_t comma = text.find(',', at);
    const std::size_t quote = text.find('"', at);
    if (quote < comma) {
      const std::size_t closing = text.find('"', quote + 1);
      if (closing == std::string_view::npos) break;
      at = closing + 1;
      continue;
    }
    if (comma == std::string_view::npos) break;
    pieces.push_back(UnquoteArgument(source.substr(start, comma - start)));
    start = at = comma + 1;
  }
  pieces.push_back(UnquoteArgument(source.substr(start)));
}

std::vector<std::string> SplitArguments(const std::string& text) {
  ScriptLineBuffers buffers;
  SplitArguments(std::string_view(text), &buffers);
  return std::vector<std::string>(buffers.pieces.begin(), buffers.pieces.end());
}
