#pragma once

#include <string>
#include <vector>

// What a finished child process left behind.
struct ProgramRun {
  int exit_code = -1;      // -1 when the program could not be started or did not exit normally
  std::string out;         // standard output, bytes as written
  std::string err;         // standard error, bytes as written
  bool timed_out = false;  // ended by the time limit
};

// Runs `program` with `args`, waits for it and collects both output
// streams (through temporary files, so neither can fill up and block). A
// program still running after `time_limit_ms` (0: no limit) is ended.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      unsigned time_limit_ms = 0);
