// POSIX arguments are the bytes the caller gave; paths are taken as UTF-8.
#include "tool/command_line.h"

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return args;
}
