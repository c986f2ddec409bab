// The file system on POSIX systems: plain descriptors, rename for the
// one-step replacement. Paths are UTF-8 bytes and passed through unchanged.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "support/file_system.h"

namespace {

#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif

class PosixReadStream : public ReadStream {
 public:
  explicit PosixReadStream(int fd) : fd_(fd) {}
  ~PosixReadStream() override { ::close(fd_); }

  long Read(char* buffer, size_t size) override {
    if (size > LONG_MAX) size = LONG_MAX;
    for (;;) {
      ssize_t got = ::read(fd_, buffer, size);
      if (got >= 0) return static_cast<long>(got);
      if (errno != EINTR) return -1;
    }
  }

 private:
  int fd_;
};

class PosixWriteStream : public WriteStream {
 public:
  explicit PosixWriteStream(int fd) : fd_(fd) {}
  ~PosixWriteStream() override {
    if (fd_ >= 0) ::close(fd_);
  }

  bool Write(const char* data, size_t size) override {
    if (fd_ < 0) return false;
    while (size > 0) {
      ssize_t put = ::write(fd_, data, size);
      if (put < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      if (put == 0) return false;  // no progress: treat as a full disk
      data += put;
      size -= static_cast<size_t>(put);
    }
    return true;
  }

  bool Close() override {
    if (fd_ < 0) return false;
    int fd = fd_;
    fd_ = -1;
    // The bytes reach the disk before the file can replace another one:
    // otherwise a power loss just after the replacement could leave an
    // empty settings file where a whole one was. A failed sync is a failed
    // write.
    int synced;
    do {
      synced = ::fsync(fd);
    } while (synced != 0 && errno == EINTR);
    // After a failed close the descriptor is gone on Linux; retrying could
    // close a descriptor opened meanwhile, so a failure is simply reported.
    const bool closed = ::close(fd) == 0;
    return synced == 0 && closed;
  }

 private:
  int fd_;
};

class PosixFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  std::unique_ptr<ReadStream> OpenRead(const std::string& path) override {
    int fd;
    do {
      fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return nullptr;
    // A folder opens for reading here but is not a file.
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<PosixReadStream>(fd);
  }

  std::unique_ptr<WriteStream> Create(const std::string& path) override {
    int fd;
    do {
      fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixWriteStream>(fd);
  }

  bool Replace(const std::string& source, const std::string& target) override {
    return ::rename(source.c_str(), target.c_str()) == 0;
  }

  bool Remove(const std::string& path) override {
    return ::unlink(path.c_str()) == 0;
  }
};

}  // namespace

FileSystem& PlatformFiles() {
  static PosixFileSystem fs;
  return fs;
}
