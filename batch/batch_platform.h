// What the batch runner does differently on Windows and elsewhere: folder
// names and the standard output. batch_platform_win32.cpp and
// batch_platform_posix.cpp each implement it.
#pragma once

#include <string>

/// The folder with a path delimiter at its end (unchanged when it has one).
std::string WithTrailingDelimiter(std::string folder);

/// Makes the standard output write LF line ends, as on every platform.
void UseBinaryStdout();
