// The reading baseline (see minimal_tokenizer.h).
#include "bench/minimal_tokenizer.h"

#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstring>
#include <memory>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

void TokenizeLine(const char* p, const char* end, TokenizerResult& r) {
  while (p < end) {
    while (p < end && IsBlank(*p)) ++p;
    const char* start = p;
    while (p < end && !IsBlank(*p)) ++p;
    if (p == start) break;
    ++r.fields;
    double v = 0;
    const auto res = std::from_chars(start, p, v);
    if (res.ec == std::errc()) {
      ++r.numbers;
      r.sum += v;
    }
  }
}

}  // namespace

bool TokenizeFile(const std::string& path, TokenizerResult& result) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  constexpr size_t kChunk = size_t{1} << 20;
  // Room for one chunk after the unfinished line carried from the last one.
  size_t capacity = 2 * kChunk;
  std::unique_ptr<char[]> buffer(new char[capacity]);
  size_t kept = 0;  // bytes of an unfinished line at the buffer's start
  for (;;) {
    if (capacity - kept < kChunk) {  // a line longer than a chunk
      std::unique_ptr<char[]> larger(new char[capacity * 2]);
      std::memcpy(larger.get(), buffer.get(), kept);
      buffer = std::move(larger);
      capacity *= 2;
    }
    const ssize_t got = read(fd, buffer.get() + kept, kChunk);
    if (got < 0) {
      close(fd);
      return false;
    }
    const char* p = buffer.get();
    const char* end = p + kept + static_cast<size_t>(got);
    if (got == 0) {
      TokenizeLine(p, end, result);
      break;
    }
    for (;;) {
      const auto* lf = static_cast<const char*>(
          std::memchr(p, '\n', static_cast<size_t>(end - p)));
      if (lf == nullptr) break;
      TokenizeLine(p, lf, result);
      p = lf + 1;
    }
    kept = static_cast<size_t>(end - p);
    std::memmove(buffer.get(), p, kept);
  }
  close(fd);
  return true;
}
