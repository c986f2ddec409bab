// What retrying transient failures costs the file layer on Windows when
// nothing holds the files: each operation through PlatformFiles() against
// the bare Win32 call it wraps (the file layer as it was before it retried),
// alternating the two so that both see the same disk and the same load.
// Prints the median and the 90th percentile of each, in microseconds.
//
//   file_retry_bench [--reps N] <scratch folder>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/file_system.h"

namespace {

double Seconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

// The path conversion the file layer does before every call, so that the
// bare variant pays for it too.
std::wstring Wide(const std::string& path) {
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                    static_cast<int>(path.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                      static_cast<int>(path.size()), &w[0], n);
  return w;
}

bool MakeFile(const std::string& path) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  static const char kBytes[256] = {};
  DWORD put = 0;
  const bool ok = WriteFile(h, kBytes, sizeof kBytes, &put, nullptr) != 0;
  return CloseHandle(h) != 0 && ok;
}

struct Figures {
  std::vector<double> layer, bare;
};

void Print(const char* name, const Figures& f) {
  const double lm = Percentile(f.layer, 0.5) * 1e6;
  const double bm = Percentile(f.bare, 0.5) * 1e6;
  std::printf("%-8s %10.1f %10.1f %10.1f %10.1f %+9.1f %+8.1f%%\n", name, lm,
              Percentile(f.layer, 0.9) * 1e6, bm, Percentile(f.bare, 0.9) * 1e6,
              lm - bm, bm > 0 ? (lm - bm) / bm * 100 : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  int reps = 2000;
  std::string folder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--reps") == 0 && i + 1 < argc) {
      reps = std::atoi(argv[++i]);
    } else {
      folder = argv[i];
    }
  }
  if (folder.empty() || reps <= 0) {
    std::fputs("usage: file_retry_bench [--reps N] <scratch folder>\n", stderr);
    return 2;
  }
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  FileSystem& fs = PlatformFiles();
  const std::string target = folder + "target.dat";
  const std::string source = folder + "target.dat.t482-tmp";
  const std::string created = folder + "created.dat";
  if (!MakeFile(target)) {
    std::fprintf(stderr, "file_retry_bench: cannot write into %s\n",
                 folder.c_str());
    return 1;
  }

  bool ok = true;
  // Times `op` after `prepare` (not timed) and adds the seconds to `into`.
  auto timed = [&ok](std::vector<double>& into, auto prepare, auto op) {
    ok &= prepare();
    const double t = Seconds();
    ok &= op();
    into.push_back(Seconds() - t);
  };
  auto nothing = [] { return true; };
  auto makeCreated = [&] { return MakeFile(created); };
  auto makeSource = [&] { return MakeFile(source); };
  // Create (and close at once), remove, and replace an existing file with a
  // fresh one: each through the file layer and bare, in alternating order.
  auto layerCreate = [&] { return fs.Create(created) != nullptr; };
  auto bareCreate = [&] {
    HANDLE h =
        CreateFileW(Wide(created).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return h != INVALID_HANDLE_VALUE && CloseHandle(h) != 0;
  };
  auto layerRemove = [&] { return fs.Remove(created); };
  auto bareRemove = [&] { return DeleteFileW(Wide(created).c_str()) != 0; };
  auto layerReplace = [&] { return fs.Replace(source, target); };
  auto bareReplace = [&] {
    return MoveFileExW(Wide(source).c_str(), Wide(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  };

  Figures create, remove, replace;
  for (int i = 0; i < reps && ok; ++i) {
    const bool layerFirst = i % 2 == 0;
    for (int k = 0; k < 2; ++k) {
      if ((k == 0) == layerFirst) {
        timed(create.layer, nothing, layerCreate);
        timed(remove.layer, makeCreated, layerRemove);
        timed(replace.layer, makeSource, layerReplace);
      } else {
        timed(create.bare, nothing, bareCreate);
        timed(remove.bare, makeCreated, bareRemove);
        timed(replace.bare, makeSource, bareReplace);
      }
    }
  }
  DeleteFileW(Wide(target).c_str());
  if (!ok) {
    std::fputs("file_retry_bench: a file operation failed\n", stderr);
    return 1;
  }

  std::printf("%d repetitions, microseconds per operation\n", reps);
  std::printf("%-8s %10s %10s %10s %10s %9s %9s\n", "", "layer", "layer p90",
              "bare", "bare p90", "median+", "");
  Print("create", create);
  Print("remove", remove);
  Print("replace", replace);
  return 0;
}
