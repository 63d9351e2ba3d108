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
    } else if (arg == "--keep-loaded") {
      keep_loaded_ = true;
    } else if (arg == "--windows" || arg == "--play" || arg == "--log" || arg == "--cycles") {
      if (!has_value) {
        *error = arg + " needs a value";
        return false;
      }
      const std::string& value = args[++i];
      if (arg == "--windows" || arg == "--cycles") {
        int most = arg == "--windows" ? kMaxWindows : kMaxCycles;
        char* end = nullptr;
        long count = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || count < 1 || count > most) {
          *error = arg + " takes a number from 1 to " + std::to_string(most);
          return false;
        }
        if (arg == "--windows") {
          windows_ = static_cast<int>(count);
        } else {
          cycles_ = static_cast<int>(count);
        }
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
  if (keep_loaded_ && cycles_ == 0) {
    *error = "--keep-loaded goes with --cycles";
    return false;
  }
  if (cycles_ > 0 && (!scenario_.empty() || windows_ != 1)) {
    *error = "--cycles goes with neither --play nor --windows";
    return false;
  }
  return true;
}

const char* HostOptions::Usage() {
  return "usage: qelhost [--windows N] [--play SCENARIO] [--log FILE] [--timings]\n"
         "               [--cycles N [--keep-loaded]]\n"
         "  --windows N       open N browser frames in this process (default 1)\n"
         "  --play SCENARIO   run the steps of SCENARIO against the toolbar, then exit\n"
         "  --log FILE        write the event log to FILE (default standard output)\n"
         "  --timings         print the time from CoCreateInstance to the band's insertion\n"
         "  --cycles N        open and close a frame N times, one after the other, and print\n"
         "                    what the process holds after the first tenth and the last\n"
         "  --keep-loaded     keep the helpers' modules loaded between the cycles, as a browser\n"
         "                    with another window open does\n";
}
