#pragma once

#include <string>
#include <vector>

// The command line of qelhost.exe.
class HostOptions {
 public:
  // Reads the arguments (without the program name). False with a message in
  // `error` when they make no sense; `help` asks for the usage text.
  bool Parse(const std::vector<std::string>& args, std::string* error);

  static const char* Usage();

  int windows() const { return windows_; }
  const std::string& scenario() const { return scenario_; }
  const std::string& log() const { return log_; }
  bool timings() const { return timings_; }
  // Frames opened and closed one after the other; 0 when not asked for.
  int cycles() const { return cycles_; }
  // With --cycles: the helpers' modules stay loaded between the frames.
  bool keep_loaded() const { return keep_loaded_; }
  bool help() const { return help_; }

  // Frames beyond this many would not fit a screen in any useful way.
  static constexpr int kMaxWindows = 16;
  static constexpr int kMaxCycles = 100000;

 private:
  int windows_ = 1;
  std::string scenario_;
  std::string log_;
  bool timings_ = false;
  int cycles_ = 0;
  bool keep_loaded_ = false;
  bool help_ = false;
};
