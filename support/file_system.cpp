// The platform-independent half of the file layer: the switchable file
// system, whole-file writes that either complete or leave the target alone,
// and line reading in bounded memory.
#include "support/file_system.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

FileSystem* g_installed = nullptr;

// Writes are collected up to this size before they reach the stream.
constexpr size_t kWriteBufferSize = 64 * 1024;
// Bytes asked of the stream per read.
constexpr size_t kReadChunk = 64 * 1024;
// A line is kept up to this many bytes; the rest of a longer line, up to its
// LF, is read and dropped, so a file without line ends cannot exhaust memory.
constexpr size_t kLineMax = 1024 * 1024;

// The temporary file's name is fixed for a target, so that one left behind by
// a run that was killed is simply overwritten by the next run.
constexpr const char* kTempSuffix = ".t482-tmp";

}  // namespace

FileSystem& Files() {
  return g_installed != nullptr ? *g_installed : PlatformFiles();
}

ScopedFileSystem::ScopedFileSystem(FileSystem& fs) : previous_(g_installed) {
  g_installed = &fs;
}

ScopedFileSystem::~ScopedFileSystem() {
  g_installed = previous_;
}

// --- AtomicFileWriter -------------------------------------------------------
//
// tempPath_ is set while a temporary file of ours may exist on disk: from a
// successful Open until Commit has replaced the target or the write was
// abandoned.

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {}

AtomicFileWriter::~AtomicFileWriter() {
  if (!tempPath_.empty()) Abandon();
}

bool AtomicFileWriter::Open() {
  if (out_ != nullptr || !tempPath_.empty() || failed_) return false;
  std::string temp = path_ + kTempSuffix;
  out_ = Files().Create(temp);
  if (out_ == nullptr) {
    failed_ = true;
    return false;
  }
  tempPath_ = std::move(temp);
  buffer_.reserve(kWriteBufferSize);
  return true;
}

bool AtomicFileWriter::Write(const char* data, size_t size) {
  if (failed_ || out_ == nullptr) return false;
  if (buffer_.size() + size <= kWriteBufferSize) {
    buffer_.append(data, size);
    return true;
  }
  if (!buffer_.empty()) {
    if (!out_->Write(buffer_.data(), buffer_.size())) {
      Abandon();
      return false;
    }
    buffer_.clear();
  }
  if (size >= kWriteBufferSize) {
    if (!out_->Write(data, size)) {
      Abandon();
      return false;
    }
  } else {
    buffer_.append(data, size);
  }
  return true;
}

bool AtomicFileWriter::Commit() {
  if (failed_ || out_ == nullptr) {
    if (!tempPath_.empty()) Abandon();
    return false;
  }
  if (!buffer_.empty() && !out_->Write(buffer_.data(), buffer_.size())) {
    Abandon();
    return false;
  }
  buffer_.clear();
  bool closed = out_->Close();
  out_.reset();
  if (!closed || !Files().Replace(tempPath_, path_)) {
    Abandon();
    return false;
  }
  tempPath_.clear();
  return true;
}

void AtomicFileWriter::Abandon() {
  failed_ = true;
  buffer_.clear();
  if (out_ != nullptr) {
    // The file goes anyway; its close result does not matter.
    (void)out_->Close();
    out_.reset();
  }
  if (!tempPath_.empty()) {
    // A temporary file that cannot be deleted stays; there is no one to tell.
    (void)Files().Remove(tempPath_);
    tempPath_.clear();
  }
}

// --- LineReader -------------------------------------------------------------

LineReader::LineReader(ReadStream& in) : in_(in) {}

bool LineReader::Fill() {
  if (eof_ || failed_) return false;
  if (pos_ > 0) {
    buffer_.erase(0, pos_);
    pos_ = 0;
  }
  size_t old = buffer_.size();
  buffer_.resize(old + kReadChunk);
  long got = in_.Read(&buffer_[old], kReadChunk);
  if (got < 0 || static_cast<size_t>(got) > kReadChunk) {
    buffer_.resize(old);
    failed_ = true;
    return false;
  }
  buffer_.resize(old + static_cast<size_t>(got));
  if (got == 0) {
    eof_ = true;
    return false;
  }
  return true;
}

bool LineReader::Next(std::string& line) {
  if (failed_) return false;
  line.clear();
  bool overlong = false;  // the kept part is complete, the rest is dropped
  for (;;) {
    const char* begin = buffer_.data() + pos_;
    size_t avail = buffer_.size() - pos_;
    const void* lf = avail > 0 ? std::memchr(begin, '\n', avail) : nullptr;
    size_t take = lf != nullptr ? static_cast<const char*>(lf) - begin : avail;
    if (!overlong) {
      size_t room = kLineMax - line.size();
      line.append(begin, std::min(take, room));
      if (take > room) overlong = true;
    }
    if (lf != nullptr) {
      pos_ += take + 1;
      return true;
    }
    pos_ = buffer_.size();
    if (!Fill()) {
      if (failed_) {
        line.clear();
        return false;
      }
      // End of the file: a last line without LF is still a line.
      return !line.empty() || overlong;
    }
  }
}
