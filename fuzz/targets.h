// Every fuzz target by name: the libFuzzer programs and the replay test of
// kept inputs share this table.
#pragma once

#include <cstdint>
#include <string>

#include "fuzz/numbers_target.h"
#include "fuzz/reader_target.h"
#include "fuzz/settings_target.h"
#include "fuzz/sjis_target.h"

namespace fuzz {

struct Target {
  const char* name;  // folder name under fuzz/corpus and fuzz/regressions
  std::string (*run)(const uint8_t* data, size_t size);
};

inline const Target kTargets[] = {
    {"jwc_reader", RunJwcReader},
    {"settings_run", RunSettings},
    {"numbers", RunNumbers},
    {"sjis", RunSjis},
};

}  // namespace fuzz
