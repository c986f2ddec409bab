#include "fault_file_system.h"

#include <algorithm>
#include <utility>

class FaultFileSystem::FaultReadStream : public ReadStream {
 public:
  FaultReadStream(FaultFileSystem& fs, std::unique_ptr<ReadStream> inner,
                  bool armed)
      : fs_(fs), inner_(std::move(inner)), armed_(armed) {
    ++fs_.openStreams_;
  }
  ~FaultReadStream() override { --fs_.openStreams_; }

  long Read(char* buffer, size_t size) override {
    ++fs_.counts_.read;
    if (armed_) {
      int64_t left = fs_.afterBytes_ - passed_;
      if (left <= 0) {
        ++fs_.injected_;
        return -1;
      }
      size = std::min(size, static_cast<size_t>(left));
    }
    long got = inner_->Read(buffer, size);
    if (got > 0) passed_ += got;
    return got;
  }

 private:
  FaultFileSystem& fs_;
  std::unique_ptr<ReadStream> inner_;
  bool armed_;
  int64_t passed_ = 0;
};

class FaultFileSystem::FaultWriteStream : public WriteStream {
 public:
  FaultWriteStream(FaultFileSystem& fs, std::unique_ptr<WriteStream> inner,
                   std::string path, bool armed)
      : fs_(fs),
        inner_(std::move(inner)),
        path_(std::move(path)),
        armed_(armed) {
    ++fs_.openStreams_;
  }
  ~FaultWriteStream() override { --fs_.openStreams_; }

  bool Write(const char* data, size_t size) override {
    ++fs_.counts_.write;
    if (armed_) {
      int64_t left = fs_.afterBytes_ - passed_;
      if (static_cast<int64_t>(size) > left) {
        // Like a full disk: what fits is written, then the write fails.
        if (left > 0 && inner_->Write(data, static_cast<size_t>(left))) {
          passed_ += left;
        }
        ++fs_.injected_;
        return false;
      }
    }
    if (!inner_->Write(data, size)) return false;
    passed_ += static_cast<int64_t>(size);
    return true;
  }

  bool Close() override {
    ++fs_.counts_.close;
    bool closed = inner_->Close();
    if (fs_.Strikes(kClose, path_)) return false;
    return closed;
  }

 private:
  FaultFileSystem& fs_;
  std::unique_ptr<WriteStream> inner_;
  std::string path_;
  bool armed_;
  int64_t passed_ = 0;
};

FaultFileSystem::FaultFileSystem(FileSystem& inner) : inner_(inner) {}

FaultFileSystem& FaultFileSystem::Fail(Fault fault) {
  fault_ = fault;
  afterBytes_ = 0;
  pathPart_.clear();
  skip_ = 0;
  return *this;
}

FaultFileSystem& FaultFileSystem::AfterBytes(int64_t bytes) {
  afterBytes_ = bytes;
  return *this;
}

FaultFileSystem& FaultFileSystem::OnPaths(std::string part) {
  pathPart_ = std::move(part);
  return *this;
}

FaultFileSystem& FaultFileSystem::Skip(int calls) {
  skip_ = calls;
  return *this;
}

bool FaultFileSystem::Matches(const std::string& path) const {
  return pathPart_.empty() || path.find(pathPart_) != std::string::npos;
}

bool FaultFileSystem::Strikes(Fault fault, const std::string& path) {
  if (fault_ != fault || !Matches(path)) return false;
  if (skip_ > 0) {
    --skip_;
    return false;
  }
  // Streams count their own strikes when the byte limit is reached.
  if (fault != kRead && fault != kWrite) ++injected_;
  return true;
}

bool FaultFileSystem::FileExists(const std::string& path) {
  ++counts_.fileExists;
  log_.push_back("exists " + path);
  if (Strikes(kFileExists, path)) return false;
  return inner_.FileExists(path);
}

std::unique_ptr<ReadStream> FaultFileSystem::OpenRead(const std::string& path) {
  ++counts_.openRead;
  log_.push_back("open " + path);
  if (Strikes(kOpenRead, path)) return nullptr;
  std::unique_ptr<ReadStream> in = inner_.OpenRead(path);
  if (in == nullptr) return nullptr;
  bool armed = Strikes(kRead, path);
  return std::make_unique<FaultReadStream>(*this, std::move(in), armed);
}

std::unique_ptr<WriteStream> FaultFileSystem::Create(const std::string& path) {
  ++counts_.create;
  log_.push_back("create " + path);
  if (Strikes(kCreate, path)) return nullptr;
  std::unique_ptr<WriteStream> out = inner_.Create(path);
  if (out == nullptr) return nullptr;
  bool armed = Strikes(kWrite, path);
  return std::make_unique<FaultWriteStream>(*this, std::move(out), path, armed);
}

bool FaultFileSystem::Replace(const std::string& source,
                              const std::string& target) {
  ++counts_.replace;
  log_.push_back("replace " + source + " " + target);
  if (fault_ == kReplace && !Matches(source) && Matches(target)) {
    if (Strikes(kReplace, target)) return false;
  } else if (Strikes(kReplace, source)) {
    return false;
  }
  return inner_.Replace(source, target);
}

bool FaultFileSystem::Remove(const std::string& path) {
  ++counts_.remove;
  log_.push_back("remove " + path);
  if (Strikes(kRemove, path)) return false;
  return inner_.Remove(path);
}
