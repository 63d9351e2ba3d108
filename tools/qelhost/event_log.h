#pragma once

#include <cstdio>
#include <mutex>
#include <string>

// The host's event log: one line per event, flushed at once so that a test
// or a user watching the file sees each event as it happens. Lines go to a
// file or, by default, to standard output. Every frame's thread writes to it.
class EventLog {
 public:
  EventLog() = default;
  ~EventLog();
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;

  // Sends the lines to `path` (created or emptied); "" keeps standard output.
  bool Open(const std::string& path);

  void Write(const std::string& line);
  // "error STEP: reason"; the run then ends with exit status 1.
  void Error(const std::string& step, const std::string& reason);

  bool had_error();

 private:
  std::mutex mutex_;
  std::FILE* file_ = nullptr;
  bool had_error_ = false;
};
