// The batch runner on Windows: '\' or '/' ends a folder, and the standard
// output is switched to binary so that its lines end in LF, not CR LF.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "batch/batch_platform.h"

std::string WithTrailingDelimiter(std::string folder) {
  if (folder.empty() || (folder.back() != '\\' && folder.back() != '/'))
    folder += '\\';
  return folder;
}

void UseBinaryStdout() {
  _setmode(_fileno(stdout), _O_BINARY);
}
