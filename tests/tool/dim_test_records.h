// Comparing output records with expected ones: words that are numbers on
// both sides compare within a tolerance, everything else byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "interchange/jww_model.h"

namespace dimtest {

inline std::vector<std::string> Lines(const JwwModel& m) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < m.OutputLines.Count(); ++i) {
    out.push_back(m.OutputLines[i]);
  }
  return out;
}

inline std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

inline bool Number(const std::string& word, double& value) {
  if (word.empty()) return false;
  char* end = nullptr;
  value = std::strtod(word.c_str(), &end);
  return end == word.c_str() + word.size();
}

/// True when the two lines have the same words, numbers within `tolerance`.
inline bool SameRecord(const std::string& actual, const std::string& expected,
                       double tolerance) {
  if (tolerance == 0) return actual == expected;
  const std::vector<std::string> a = Words(actual), e = Words(expected);
  if (a.size() != e.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    double x = 0, y = 0;
    if (Number(a[i], x) && Number(e[i], y)) {
      if (!(std::fabs(x - y) <= tolerance)) return false;
    } else if (a[i] != e[i]) {
      return false;
    }
  }
  return true;
}

struct Record {
  std::string text;
  double tolerance = 0;  // 0: the line must match byte for byte
};

inline void ExpectRecords(const std::vector<std::string>& actual,
                          const std::vector<Record>& expected) {
  ASSERT_EQ(actual.size(), expected.size()) << [&] {
    std::string all;
    for (const std::string& l : actual) all += l + "\n";
    return all;
  }();
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_TRUE(SameRecord(actual[i], expected[i].text, expected[i].tolerance))
        << "line " << i + 1 << ": got \"" << actual[i] << "\", expected \""
        << expected[i].text << "\"";
  }
}

}  // namespace dimtest
