#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

#include "tools/qeldef/qeldef_tool.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // Object files carry CR LF line ends of their own; text mode would double
  // the CR.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
  QeldefTool tool;
  int status = tool.Run(args, std::cout, std::cerr);
  std::cout.flush();
  return status;
}
