// The run's fixed messages in UTF-8, for reports outside the dialog (the
// batch runner prints them). The spellings are generated beside the
// Shift-JIS texts; this is a look-up, not a converter.
#pragma once

#include <string>

/// The UTF-8 spelling of one of the tool's messages (given as its Shift-JIS
/// bytes). Any other text comes back with its printable ASCII kept and every
/// other byte, both bytes of a double-byte character included, as \xNN.
std::string MessageUtf8(const std::string& sjis);
