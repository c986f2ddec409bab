// Entry point of t482-preview; everything else lives in the library so the
// tests can drive it.
#include <iostream>
#include <string>
#include <vector>

#include "preview/preview_cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return RunPreview(args, std::cout, std::cerr);
}
