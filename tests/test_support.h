// Helpers shared by the tests: scratch folders, whole files, Shift-JIS
// literals.
#pragma once

#include <string>
#include <vector>

/// A fresh empty folder under the system's temporary folder, removed (with
/// its contents) when the object goes away. Path ends in the delimiter.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

/// The whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
/// Writes bytes to a file; false on failure.
[[nodiscard]] bool WriteFileBytes(const std::string& path,
                                  const std::string& bytes);
bool PathExists(const std::string& path);
/// The lines joined, each ended by CR LF, as the host's and the settings
/// files are.
std::string Crlf(const std::vector<std::string>& lines);
/// A file of the repository, by path relative to its root.
std::string SourcePath(const std::string& relative);

/// A GoogleTest parameter name from a row's readable name: letters and
/// digits kept, anything else '_'.
std::string TestName(const char* readable);

/// Names the instances of INSTANTIATE_TEST_SUITE_P after their rows' `name`.
struct NameFromRow {
  template <class Info>
  std::string operator()(const Info& info) const {
    return TestName(info.param.name);
  }
};
