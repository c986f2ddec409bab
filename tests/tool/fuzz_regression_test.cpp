// Replays the fuzz targets' seed corpus and every input that ever broke one
// (fuzz/corpus/<target>/, fuzz/regressions/<target>/) through the same
// checks the fuzzers run, so that the ordinary test run keeps them fixed
// without libFuzzer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "fuzz/targets.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const std::string& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(fs::u8path(folder), ec)) {
    if (entry.is_regular_file() && entry.path().filename() != "README.md") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

namespace fuzz {
// Failure messages name the target instead of dumping its bytes.
void PrintTo(const Target& t, std::ostream* os) {
  *os << t.name;
}
}  // namespace fuzz

namespace {

class FuzzReplay : public testing::TestWithParam<fuzz::Target> {};

TEST_P(FuzzReplay, KeptInputsHoldEveryCheck) {
  const fuzz::Target& target = GetParam();
  size_t replayed = 0;
  for (const char* kind : {"regressions", "corpus"}) {
    for (const fs::path& file : InputsOf(
             SourcePath(std::string("fuzz/") + kind + "/" + target.name))) {
      const std::string bytes = ReadFileBytes(file.u8string());
      const std::string broken = target.run(
          reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      EXPECT_EQ(broken, "") << kind << "/" << file.filename().u8string();
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0u) << "no kept inputs for " << target.name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, testing::ValuesIn(fuzz::kTargets),
                         [](const testing::TestParamInfo<fuzz::Target>& p) {
                           return std::string(p.param.name);
                         });

}  // namespace
