#pragma once

#include <string>
#include <vector>

class ToolbarDefinition;

// Runs a definition line by line, as the toolbar does, and says which lines
// have no effect (errors) and which take effect but are very likely
// mistakes (warnings).
class DefinitionChecker {
 public:
  struct Diagnostic {
    int line;  // counted from 1
    bool error;
    std::string message;
  };

  // Checks and runs `lines` on `definition`, which the caller has reset as
  // Load does, so that SetAction sees the objects of earlier lines.
  std::vector<Diagnostic> Check(const std::vector<std::string>& lines,
                                ToolbarDefinition* definition);

 private:
  void CheckLine(const std::string& raw, ToolbarDefinition* definition);
  void CheckAssignment(const std::string& key, const std::string& value);
  void CheckCommand(const std::string& command, const std::string& arguments,
                    ToolbarDefinition* definition);
  void CheckAddObject(const std::vector<std::string>& args, ToolbarDefinition* definition);
  void CheckSetAction(const std::vector<std::string>& args, ToolbarDefinition* definition);
  void CheckPropertyKeys(const std::string& properties);
  void Error(const std::string& message);
  void Warning(const std::string& message);

  int line_number_ = 0;
  std::vector<Diagnostic> diagnostics_;
};
