#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/drive_letter_dir.h"
#include "tests/support/helper_objects_aside.h"

// What one run of qelhost.exe left behind.
struct HostRun {
  int exit_code = -1;
  std::vector<std::string> log;    // the event log, line by line
  std::vector<std::string> trace;  // the test helper object's trace
  std::string out;                 // standard output
  std::string err;                 // standard error
};

// The stage for one host test: a fresh directory holding a copy of the test
// helper object with its "qel.ini" and definition, the helper registered as
// the only browser helper object (others are set aside and put back
// afterwards), and the environment the helper reads.
class HostTestRig {
 public:
  HostTestRig();
  ~HostTestRig();
  HostTestRig(const HostTestRig&) = delete;
  HostTestRig& operator=(const HostTestRig&) = delete;

  // "" when the stage is set; otherwise what went wrong.
  const std::string& problem() const { return problem_; }
  const DriveLetterDir& dir() const { return dir_; }

  // The definition of the helper's toolbar, as the host reads it to find
  // text boxes and combo boxes: "qel.ini" names `data_url`.
  void WriteQelIni(const std::string& data_url);
  // Registers a server path other than the helper's copy.
  void RegisterServerPath(const std::string& path);
  // Set for the host's process; cleared when the rig goes.
  void SetEnvironment(const char* name, const std::string& value);

  // Runs qelhost.exe with `args`.
  HostRun Run(const std::vector<std::string>& args);
  // Writes `scenario` and runs qelhost.exe --play it with the log in the
  // rig's directory, plus `extra_args`.
  HostRun Play(const std::string& scenario, const std::vector<std::string>& extra_args = {});

  static const char* HostPath();

 private:
  bool Register(const std::string& server_path);
  void Unregister();

  DriveLetterDir dir_;
  // Other helper objects would load into every frame and add to the log.
  HelperObjectsAside others_aside_;
  std::string problem_;
  std::vector<std::string> variables_;
};
