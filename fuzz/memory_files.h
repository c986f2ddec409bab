// A whole file system in memory for the fuzz targets and their replay test:
// files are byte strings by path, reads hand out chunks of a chosen size (so
// that lines fall across chunk boundaries), and a write becomes visible only
// when its stream is closed, as on a disk.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "support/file_system.h"

class MemoryFiles : public FileSystem {
 public:
  std::map<std::string, std::string> Files;
  /// Bytes handed out per Read (at least 1).
  size_t Chunk = 1 << 16;

  bool FileExists(const std::string& path) override {
    return Files.count(path) != 0;
  }

  std::unique_ptr<ReadStream> OpenRead(const std::string& path) override {
    auto it = Files.find(path);
    if (it == Files.end()) return nullptr;
    return std::make_unique<Reader>(it->second, std::max<size_t>(Chunk, 1));
  }

  std::unique_ptr<WriteStream> Create(const std::string& path) override {
    Files[path].clear();
    return std::make_unique<Writer>(*this, path);
  }

  bool Replace(const std::string& source, const std::string& target) override {
    auto it = Files.find(source);
    if (it == Files.end()) return false;
    std::string bytes = std::move(it->second);
    Files.erase(it);
    Files[target] = std::move(bytes);
    return true;
  }

  bool Remove(const std::string& path) override {
    return Files.erase(path) != 0;
  }

 private:
  class Reader : public ReadStream {
   public:
    Reader(std::string bytes, size_t chunk)
        : bytes_(std::move(bytes)), chunk_(chunk) {}
    long Read(char* buffer, size_t size) override {
      const size_t n = std::min({size, chunk_, bytes_.size() - pos_});
      if (n > 0) std::memcpy(buffer, bytes_.data() + pos_, n);
      pos_ += n;
      return static_cast<long>(n);
    }

   private:
    std::string bytes_;  // a copy: a file may be replaced while it is read
    size_t chunk_;
    size_t pos_ = 0;
  };

  class Writer : public WriteStream {
   public:
    Writer(MemoryFiles& fs, std::string path)
        : fs_(fs), path_(std::move(path)) {}
    bool Write(const char* data, size_t size) override {
      if (closed_) return false;
      bytes_.append(data, size);
      return true;
    }
    bool Close() override {
      if (closed_) return false;
      closed_ = true;
      fs_.Files[path_] = std::move(bytes_);
      return true;
    }

   private:
    MemoryFiles& fs_;
    std::string path_;
    std::string bytes_;
    bool closed_ = false;
  };
};
