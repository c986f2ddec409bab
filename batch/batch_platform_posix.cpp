// The batch runner on POSIX systems: '/' ends a folder and the standard
// output writes bytes as they are.
#include "batch/batch_platform.h"

std::string WithTrailingDelimiter(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

void UseBinaryStdout() {}
