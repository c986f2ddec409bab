// The only way the tool touches the disk. The platform's implementation is
// chosen at build time (file_system_posix.cpp / file_system_win32.cpp); tests
// install their own to inject faults at every point of every read and write.
//
// Paths are UTF-8 on every platform; the Windows implementation opens files by
// wide path, so folders with Japanese names work whatever the code page.
// On Windows, Create, Replace and Remove wait up to about 2 s for a file that
// another program holds open before they fail.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

class ReadStream {
 public:
  virtual ~ReadStream() = default;
  /// Reads up to `size` bytes. Returns the count read, 0 at the end of the
  /// file, or -1 on an input error.
  virtual long Read(char* buffer, size_t size) = 0;
};

class WriteStream {
 public:
  virtual ~WriteStream() = default;
  /// Writes all `size` bytes; false when they could not all be written.
  [[nodiscard]] virtual bool Write(const char* data, size_t size) = 0;
  /// Flushes and closes; false on any error. Called at most once.
  [[nodiscard]] virtual bool Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  /// True when `path` names an existing regular file.
  virtual bool FileExists(const std::string& path) = 0;
  /// Opens a file for reading; null when it cannot be opened.
  virtual std::unique_ptr<ReadStream> OpenRead(const std::string& path) = 0;
  /// Creates (or truncates) a file for writing; null when it cannot.
  virtual std::unique_ptr<WriteStream> Create(const std::string& path) = 0;
  /// Replaces `target` with `source` in one step (both in one folder).
  [[nodiscard]] virtual bool Replace(const std::string& source,
                                     const std::string& target) = 0;
  /// Deletes a file; false when it could not be deleted.
  [[nodiscard]] virtual bool Remove(const std::string& path) = 0;
};

/// The file system in use: the platform's, or the one a test installed.
FileSystem& Files();

/// The platform's own implementation.
FileSystem& PlatformFiles();

/// Installs `fs` for the lifetime of this object (tests only).
class ScopedFileSystem {
 public:
  explicit ScopedFileSystem(FileSystem& fs);
  ~ScopedFileSystem();
  ScopedFileSystem(const ScopedFileSystem&) = delete;
  ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

 private:
  FileSystem* previous_;
};

/// Writes a whole file so that `path` is either the complete new file or
/// untouched: the bytes go to a temporary file in the same folder, which
/// replaces `path` only when it was written and closed without error. On any
/// failure the temporary file is removed and false is returned.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string path);
  ~AtomicFileWriter();  // abandons an uncommitted write
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  /// Creates the temporary file. False when it cannot be created.
  [[nodiscard]] bool Open();
  /// Appends bytes (buffered). False once any write has failed.
  [[nodiscard]] bool Write(const char* data, size_t size);
  [[nodiscard]] bool Write(const std::string& s) {
    return Write(s.data(), s.size());
  }
  /// Flushes, closes and replaces the target. False on any failure, after
  /// which no temporary file is left.
  [[nodiscard]] bool Commit();

 private:
  void Abandon();
  std::string path_;
  std::string tempPath_;
  std::unique_ptr<WriteStream> out_;
  std::string buffer_;
  bool failed_ = false;
};

/// Reads a file line by line in bounded memory, whatever its size. A line
/// ends at LF; the LF is not part of the line, anything else (CR included)
/// is left for the caller.
class LineReader {
 public:
  explicit LineReader(ReadStream& in);
  /// The next line. Returns false at the end of the file (no more bytes) or
  /// on an input error (then Failed() is true).
  [[nodiscard]] bool Next(std::string& line);
  bool Failed() const { return failed_; }

 private:
  bool Fill();
  ReadStream& in_;
  std::string buffer_;
  size_t pos_ = 0;
  bool eof_ = false;
  bool failed_ = false;
};
