#pragma once

#include <ostream>
#include <string>
#include <vector>

class ObjectStore;
class ToolbarDefinition;

// qeldef, the definition checker for toolbar publishers:
//   qeldef dump [--store controls|menus|combos|bar] SOURCE
//   qeldef check SOURCE
//   qeldef objects FILE
// SOURCE is a local file or an http:// or https:// address. Exit codes: 0
// done, 1 the source could not be read or `check` found errors, 2 a usage
// error.
class QeldefTool {
 public:
  static constexpr int kExitOk = 0;
  static constexpr int kExitFailed = 1;
  static constexpr int kExitUsage = 2;

  // `out` and `err` must be binary streams: stores are written with CR LF
  // line ends exactly as the object file has them.
  int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

 private:
  int Dump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
  int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
  int Objects(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
  int UsageError(const std::string& reason, std::ostream& err);

  // The definition's lines, read as the toolbar reads the source.
  bool ReadSource(const std::string& source, std::vector<std::string>* lines, std::ostream& err);
  // The store exactly as SaveObjectFile writes it.
  bool WriteStore(const ObjectStore& store, std::ostream& out, std::ostream& err);
};
