// Checks shared by the fuzz targets and their replay test.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

namespace fuzz {

/// Seventeen significant digits: enough to tell any two doubles apart.
inline std::string FormatExact(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

/// True when `got` is `want` rounded to 15 significant digits and read back
/// into a double: within half a unit of the 15th digit (5e-15 of the value)
/// plus the double's own rounding (2^-53 of it, or half the smallest
/// subnormal near zero).
inline bool WithinFifteenDigits(double want, double got) {
  if (!std::isfinite(got)) return false;
  const long double error = std::fabs(static_cast<long double>(got) - want);
  const long double bound =
      std::fabs(static_cast<long double>(want)) * (5e-15L + 1.12e-16L) +
      0x1p-1075L;
  return error <= bound;
}

/// A field that a reader of numbers would take for an infinity or a NaN.
inline bool IsNonFiniteWord(std::string_view w) {
  if (!w.empty() && (w[0] == '-' || w[0] == '+')) w.remove_prefix(1);
  std::string lower;
  for (char c : w)
    lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return lower == "inf" || lower == "infinity" || lower == "nan" ||
         lower.rfind("nan(", 0) == 0 || lower == "1.#inf" || lower == "1.#qnan";
}

/// Searches every line of a written file for an infinity or a NaN among its
/// blank-separated fields, up to the line's first double quote (what follows
/// is a text of the user's). Empty when there is none.
inline std::string CheckNoNonFinite(std::string_view file) {
  size_t lineNo = 1;
  size_t start = 0;
  while (start <= file.size()) {
    size_t end = file.find('\n', start);
    if (end == std::string_view::npos) end = file.size();
    std::string_view line = file.substr(start, end - start);
    line = line.substr(0, line.find('"'));
    size_t p = 0;
    while (p < line.size()) {
      size_t q = line.find_first_of(" \r\t", p);
      if (q == std::string_view::npos) q = line.size();
      if (IsNonFiniteWord(line.substr(p, q - p))) {
        return "line " + std::to_string(lineNo) +
               " holds a non-finite number: " + std::string(line);
      }
      p = q + 1;
    }
    start = end + 1;
    ++lineNo;
  }
  return "";
}

}  // namespace fuzz
