#include "tools/qelhost/event_log.h"

EventLog::~EventLog() {
  if (file_ != nullptr) std::fclose(file_);
}

bool EventLog::Open(const std::string& path) {
  if (path.empty()) return true;
  // Binary: every line ends in a single LF on every platform.
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  if (file_ != nullptr) std::fclose(file_);
  file_ = file;
  return true;
}

void EventLog::Write(const std::string& line) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::FILE* out = file_ != nullptr ? file_ : stdout;
  std::fwrite(line.data(), 1, line.size(), out);
  std::fputc('\n', out);
  std::fflush(out);
}

void EventLog::Error(const std::string& step, const std::string& reason) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    had_error_ = true;
  }
  Write("error " + step + ": " + reason);
}

bool EventLog::had_error() {
  std::lock_guard<std::mutex> lock(mutex_);
  return had_error_;
}
