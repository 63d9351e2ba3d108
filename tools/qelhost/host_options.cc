#include "tools/qelhost/host_options.h"

#include <cstdlib>

bool HostOptions::Parse(const std::vector<std::string>& args, std::string* error) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool has_value = i + 1 < args.size();
    if (arg == "--help" || arg == "-h" || arg == "/?") {
      help_ = true;
    } else if (arg == "--timings") {
      timings_ = true;
    } else if (arg == "--windows" || arg == "--play" || arg == "--log") {
      if (!has_value) {
        *error = arg + " needs a value";
        return false;
      }
      const std::string& value = args[++i];
      if (arg == "--windows") {
        char* end = nullptr;
        long count = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || count < 1 || count > kMaxWindows) {
          *error = "--windows takes a number from 1 to " + std::to_string(kMaxWindows);
          return false;
        }
        windows_ = static_cast<int>(count);
      } else if (arg == "--play") {
        scenario_ = value;
      } else {
        log_ = value;
      }
    } else {
      *error = "unknown argument " + arg;
      return false;
    }
  }
  return true;
}

const char* HostOptions::Usage() {
  return "usage: qelhost [--windows N] [--play SCENARIO] [--log FILE] [--timings]\n"
         "  --windows N       open N browser frames in this process (default 1)\n"
         "  --play SCENARIO   run the steps of SCENARIO against the toolbar, then exit\n"
         "  --log FILE        write the event log to FILE (default standard output)\n"
         "  --timings         print the time from CoCreateInstance to the band's insertion\n";
}
