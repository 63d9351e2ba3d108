#pragma once

#include <string>
#include <vector>

#include "tests/support/helper_objects_aside.h"
#include "tests/support/drive_letter_dir.h"
#include "tests/support/test_http_server.h"

// What one run of the browser host left behind.
struct HostPlay {
  int exit_code = -1;
  bool timed_out = false;
  double seconds = 0;            // wall time of the run
  std::string out;               // the host's standard output
  std::vector<std::string> log;  // the event log, line by line
  std::string err;               // the host's standard error
};

// The stage of one end-to-end test: a fresh folder holding a copy of
// qel.dll, an HTTP server on 127.0.0.1 for the definition and the picture
// strip, the copy registered with regsvr32 in the session's Wine prefix, and
// the browser host playing scenarios against it. Other browser helper
// objects are set aside meanwhile, so the module is the only one loaded.
class ToolbarStage {
 public:
  ToolbarStage();
  ~ToolbarStage();
  ToolbarStage(const ToolbarStage&) = delete;
  ToolbarStage& operator=(const ToolbarStage&) = delete;

  // "" when the folder and the server are ready; otherwise what went wrong.
  const std::string& problem() const { return problem_; }
  const DriveLetterDir& dir() const { return dir_; }
  std::string ModulePath() const;

  // The picture strip at StripUrl() and the definition at DefinitionUrl().
  std::string StripUrl() const;
  std::string DefinitionUrl() const;
  void ServeStrip(const std::string& bitmap_file_bytes);
  void ServeDefinition(const std::string& script);
  // The bar settings every sample definition starts with (title, picture
  // strip at StripUrl(), pictures 16 wide), followed by `controls`.
  std::string Definition(const std::string& controls) const;
  // qel.ini beside the module; WriteQelIni() names DefinitionUrl().
  void WriteQelIni();
  void WriteQelIni(const std::string& script);

  // regsvr32 /s (/u) on the module's copy; true when regsvr32 succeeded.
  bool Register();
  bool Unregister();

  // Writes `scenario` and runs `host` (qelhost.exe unless given) with
  // --play it and --log in the stage's folder.
  HostPlay Play(const std::string& scenario, const std::string& host = "");
  // Runs qelhost.exe with `args` and --log in the stage's folder, ending it
  // after `time_limit_ms` (0: never).
  HostPlay RunHost(const std::vector<std::string>& args, unsigned time_limit_ms = 0);

  // For answers that go wrong on purpose.
  TestHttpServer& server() { return server_; }

  static const char* Title() { return "Qel end to end"; }

 private:
  HostPlay Run(const std::string& host, std::vector<std::string> args, unsigned time_limit_ms);

  HelperObjectsAside aside_;
  DriveLetterDir dir_;
  TestHttpServer server_;
  std::string problem_;
  bool registered_ = false;
};

// The bytes of a picture strip for the tests: 16-pixel pictures side by
// side, `height` high, each a block of its colour on a white background,
// which the toolbar turns into the button face colour.
std::string StripBytes(int height, const std::vector<unsigned long>& colours);

// A path as Windows programs take it (drive letter, backslashes).
std::string WindowsPath(const std::string& path);
