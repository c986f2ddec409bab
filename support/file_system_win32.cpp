// The file system on Windows. Paths arrive as UTF-8 and are opened by their
// UTF-16 form, so folders with Japanese names work whatever the system code
// page; MoveFileExW gives the one-step replacement.
//
// Virus scanners, indexers, backup and cloud-sync clients open fresh files
// for a moment, often without sharing write or delete access. Creating,
// replacing or deleting a file then fails with a sharing, lock or access
// error that clears by itself, so those three errors are retried for about
// two seconds before the operation counts as failed.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>

#include "support/file_system.h"

namespace {

/// The UTF-16 form of a UTF-8 path; false for invalid UTF-8 or an empty path.
bool Widen(const std::string& path, std::wstring& wide) {
  if (path.empty() || path.size() > INT_MAX) return false;
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                              static_cast<int>(path.size()), nullptr, 0);
  if (n <= 0) return false;
  wide.assign(static_cast<size_t>(n), L'\0');
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                             static_cast<int>(path.size()), &wide[0], n) == n;
}

// How long a transient failure is retried, and the longest pause between
// two attempts; the pauses start at 1 ms and double up to that.
constexpr ULONGLONG kRetryForMs = 2000;
constexpr DWORD kMaxPauseMs = 100;

bool IsTransient(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

/// Runs `attempt` (true on success, with the thread's last error set on
/// failure) until it succeeds, fails for another reason, or transient
/// failures have gone on for kRetryForMs. Costs nothing beyond the first
/// attempt when that succeeds.
template <typename Attempt>
bool Retrying(Attempt attempt) {
  if (attempt()) return true;
  if (!IsTransient(GetLastError())) return false;
  const ULONGLONG start = GetTickCount64();
  DWORD pause = 1;
  for (;;) {
    if (GetTickCount64() - start + pause > kRetryForMs) return false;
    Sleep(pause);
    if (attempt()) return true;
    if (!IsTransient(GetLastError())) return false;
    pause = pause * 2 > kMaxPauseMs ? kMaxPauseMs : pause * 2;
  }
}

// Bytes handed to one ReadFile or WriteFile call.
constexpr DWORD kMaxIo = 1u << 30;
// The least a read asks for.
constexpr DWORD kMinRead = 4096;

class Win32ReadStream : public ReadStream {
 public:
  explicit Win32ReadStream(HANDLE h) : h_(h) {}
  ~Win32ReadStream() override { CloseHandle(h_); }

  long Read(char* buffer, size_t size) override {
    DWORD want = size > kMaxIo ? kMaxIo : static_cast<DWORD>(size);
    // Ask for little more than the file still holds: Wine makes every page
    // of the buffer a read is given present first, about 0.1 ms a page, so
    // a small file read into a large buffer cost tens of milliseconds.
    // At least one page, so that the end of the file (or what was appended
    // meanwhile) is still seen.
    LARGE_INTEGER length = {}, position = {}, zero = {};
    if (GetFileSizeEx(h_, &length) &&
        SetFilePointerEx(h_, zero, &position, FILE_CURRENT) &&
        length.QuadPart >= position.QuadPart) {
      const ULONGLONG left = std::max<ULONGLONG>(
          static_cast<ULONGLONG>(length.QuadPart - position.QuadPart),
          kMinRead);
      if (left < want) want = static_cast<DWORD>(left);
    }
    DWORD got = 0;
    if (!ReadFile(h_, buffer, want, &got, nullptr)) return -1;
    return static_cast<long>(got);
  }

 private:
  HANDLE h_;
};

class Win32WriteStream : public WriteStream {
 public:
  explicit Win32WriteStream(HANDLE h) : h_(h) {}
  ~Win32WriteStream() override {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }

  bool Write(const char* data, size_t size) override {
    if (h_ == INVALID_HANDLE_VALUE) return false;
    while (size > 0) {
      DWORD want = size > kMaxIo ? kMaxIo : static_cast<DWORD>(size);
      DWORD put = 0;
      if (!WriteFile(h_, data, want, &put, nullptr) || put == 0) return false;
      data += put;
      size -= put;
    }
    return true;
  }

  bool Close() override {
    if (h_ == INVALID_HANDLE_VALUE) return false;
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    // The bytes reach the disk before the file can replace another one, so
    // that a power loss never leaves an empty file in place of a whole one.
    const bool flushed = FlushFileBuffers(h) != 0;
    const bool closed = CloseHandle(h) != 0;
    return flushed && closed;
  }

 private:
  HANDLE h_;
};

class Win32FileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override {
    std::wstring w;
    if (!Widen(path, w)) return false;
    DWORD attr = GetFileAttributesW(w.c_str());
    return attr != INVALID_FILE_ATTRIBUTES &&
           (attr & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  std::unique_ptr<ReadStream> OpenRead(const std::string& path) override {
    std::wstring w;
    if (!Widen(path, w)) return nullptr;
    // Others may keep reading or writing the file meanwhile, as with the C
    // runtime's fopen.
    HANDLE h =
        CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32ReadStream>(h);
  }

  std::unique_ptr<WriteStream> Create(const std::string& path) override {
    std::wstring w;
    if (!Widen(path, w)) return nullptr;
    HANDLE h = INVALID_HANDLE_VALUE;
    if (!Retrying([&] {
          h = CreateFileW(w.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
          return h != INVALID_HANDLE_VALUE;
        })) {
      return nullptr;
    }
    return std::make_unique<Win32WriteStream>(h);
  }

  bool Replace(const std::string& source, const std::string& target) override {
    std::wstring ws, wt;
    if (!Widen(source, ws) || !Widen(target, wt)) return false;
    return Retrying([&] {
      return MoveFileExW(ws.c_str(), wt.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
             0;
    });
  }

  bool Remove(const std::string& path) override {
    std::wstring w;
    if (!Widen(path, w)) return false;
    return Retrying([&] { return DeleteFileW(w.c_str()) != 0; });
  }
};

}  // namespace

FileSystem& PlatformFiles() {
  static Win32FileSystem fs;
  return fs;
}
