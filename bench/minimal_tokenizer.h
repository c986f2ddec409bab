// The reading baseline: the least work any reader of the interchange file
// must do. It reads the file in 1 MiB chunks, splits it into lines and the
// lines into blank-separated fields, and converts every field with
// std::from_chars to a double; it keeps nothing.
#pragma once

#include <cstdint>
#include <string>

struct TokenizerResult {
  uint64_t fields = 0;   // fields seen
  uint64_t numbers = 0;  // fields that converted
  double sum = 0;  // of the converted values, so nothing is optimised away
};

/// Tokenizes the file at `path`; false when it cannot be read.
[[nodiscard]] bool TokenizeFile(const std::string& path,
                                TokenizerResult& result);
