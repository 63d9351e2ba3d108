#include <cstdio>
#include <string>
#include <vector>

#include "tools/qelhost/host_application.h"
#include "tools/qelhost/host_options.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  HostOptions options;
  std::string error;
  if (!options.Parse(args, &error)) {
    std::fprintf(stderr, "qelhost: %s\n%s", error.c_str(), HostOptions::Usage());
    return 2;
  }
  if (options.help()) {
    std::printf("%s", HostOptions::Usage());
    return 0;
  }
  HostApplication app(options);
  return app.Run();
}
