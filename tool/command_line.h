// The program's command-line arguments as UTF-8, the encoding of every path
// the file layer takes. On Windows they are read again from the wide command
// line, since argv holds them in the ANSI code page.
#pragma once

#include <string>
#include <vector>

/// The arguments after the program name, as UTF-8.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
