// A file system for tests that passes every call on to the platform's and
// fails at a chosen point: a missing file, an open, create, close, replace
// or remove that fails, or a read or write that fails after a given number
// of bytes (a write that runs out of room keeps the bytes before the limit,
// as a full disk does). It counts every call and logs the paths involved.
//
//   FaultFileSystem faults;
//   faults.Fail(FaultFileSystem::kWrite).AfterBytes(100).OnPaths(".t482-tmp");
//   ScopedFileSystem use(faults);
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/file_system.h"

class FaultFileSystem : public FileSystem {
 public:
  enum Fault {
    kNone,
    kFileExists,  // FileExists answers false
    kOpenRead,    // OpenRead gives null
    kRead,        // Read gives -1 once AfterBytes bytes were read
    kCreate,      // Create gives null (nothing is created)
    kWrite,       // Write writes up to AfterBytes bytes in all, then fails
    kClose,       // Close closes the file but answers false
    kReplace,     // Replace changes nothing and answers false
    kRemove,      // Remove deletes nothing and answers false
  };

  struct Counts {
    int fileExists = 0;
    int openRead = 0;
    int read = 0;
    int create = 0;
    int write = 0;
    int close = 0;
    int replace = 0;
    int remove = 0;
  };

  /// Wraps `inner`, by default the platform's file system.
  explicit FaultFileSystem(FileSystem& inner = PlatformFiles());

  /// Chooses the fault; resets the byte limit, path filter and skip count.
  FaultFileSystem& Fail(Fault fault);
  /// For kRead and kWrite: bytes that pass (per stream) before the failure.
  FaultFileSystem& AfterBytes(int64_t bytes);
  /// Only paths containing `part` are affected (for Replace: the source or
  /// the target). Empty: every path.
  FaultFileSystem& OnPaths(std::string part);
  /// Lets the first `calls` affected calls succeed (for kRead and kWrite:
  /// the first `calls` affected streams).
  FaultFileSystem& Skip(int calls);

  const Counts& Calls() const { return counts_; }
  /// How many times the fault struck.
  int Injected() const { return injected_; }
  /// One entry per call that names a path: "exists <path>", "open <path>",
  /// "create <path>", "replace <source> <target>", "remove <path>".
  const std::vector<std::string>& Log() const { return log_; }
  /// Streams handed out and not yet destroyed.
  int OpenStreams() const { return openStreams_; }

  bool FileExists(const std::string& path) override;
  std::unique_ptr<ReadStream> OpenRead(const std::string& path) override;
  std::unique_ptr<WriteStream> Create(const std::string& path) override;
  bool Replace(const std::string& source, const std::string& target) override;
  bool Remove(const std::string& path) override;

 private:
  class FaultReadStream;
  class FaultWriteStream;
  friend class FaultReadStream;
  friend class FaultWriteStream;

  /// True when this call of `fault` on `path` must fail (counts skips).
  bool Strikes(Fault fault, const std::string& path);
  bool Matches(const std::string& path) const;

  FileSystem& inner_;
  Fault fault_ = kNone;
  int64_t afterBytes_ = 0;
  std::string pathPart_;
  int skip_ = 0;
  Counts counts_;
  int injected_ = 0;
  int openStreams_ = 0;
  std::vector<std::string> log_;
};
