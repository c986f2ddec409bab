// Reading benchmark: ReadJwcTemp against the minimal tokenizer on the same
// files, each measurement in a fresh process.
//
//   read_bench [--reps N] <file>...
//
// Files under 100 MB get more repetitions (up to ten times N). For every
// file it prints the median CPU time of both, their ratio and the
// reader's peak memory above the memory in use before reading (VmHWM minus
// VmRSS at the start). Then the targets: on the file nearest 100 MB the
// reader takes at most 1.5 times the tokenizer's time and at most twice the
// file's size in memory; over all files the time per byte stays within 20 %
// of that file's.
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "bench/minimal_tokenizer.h"
#include "interchange/jwc_reader.h"
#include "interchange/jww_model.h"

namespace {

// One measurement in this process; prints "seconds baseKiB peakKiB check".
int Child(const std::string& what, const std::string& path) {
  if (what == "reader") {
    auto m = std::make_unique<JwwModel>();
    InitJwwModel(*m);
    const long base = bench::StatusKiB("VmRSS");
    const double t0 = bench::CpuNow();
    const bool ok = ReadJwcTemp(*m, path);
    const double t1 = bench::CpuNow();
    const long peak = bench::StatusKiB("VmHWM");
    if (!ok) return 1;
    std::printf("%.6f %ld %ld %d\n", t1 - t0, base, peak, m->EntOrder.Count());
    std::fflush(stdout);
    std::_Exit(0);  // the model's release is not part of reading
  }
  if (what == "tokenizer") {
    const long base = bench::StatusKiB("VmRSS");
    TokenizerResult r;
    const double t0 = bench::CpuNow();
    const bool ok = TokenizeFile(path, r);
    const double t1 = bench::CpuNow();
    const long peak = bench::StatusKiB("VmHWM");
    if (!ok) return 1;
    std::printf("%.6f %ld %ld %llu\n", t1 - t0, base, peak,
                static_cast<unsigned long long>(r.numbers));
    return 0;
  }
  return 2;
}

struct Sample {
  double seconds = 0;
  double peakBytes = 0;  // above the start
};

bool Measure(const std::string& what, const std::string& path, Sample& s) {
  bool ok = false;
  const std::vector<std::string> w =
      bench::Words(bench::RunSelf({"--child", what, path}, ok));
  if (!ok || w.size() < 3) {
    std::fprintf(stderr, "read_bench: the %s failed on %s\n", what.c_str(),
                 path.c_str());
    return false;
  }
  s.seconds = std::atof(w[0].c_str());
  s.peakBytes = (std::atof(w[2].c_str()) - std::atof(w[1].c_str())) * 1024;
  return true;
}

struct FileResult {
  std::string path;
  double size = 0;
  double reader = 0, tokenizer = 0, peak = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--child") {
    return Child(argv[2], argv[3]);
  }
  int reps = 5;
  std::vector<FileResult> files;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--reps" && i + 1 < argc) {
      reps = std::atoi(argv[++i]);
    } else {
      struct stat st;
      if (stat(a.c_str(), &st) != 0) {
        std::perror(a.c_str());
        return 2;
      }
      files.push_back({a, static_cast<double>(st.st_size)});
    }
  }
  if (files.empty() || reps < 1) {
    std::fprintf(stderr, "usage: %s [--reps N] <file>...\n", argv[0]);
    return 2;
  }

  for (FileResult& f : files) {
    Sample warm;  // brings the file into the page cache
    if (!Measure("tokenizer", f.path, warm)) return 1;
    std::vector<double> reader, tokenizer, peak;
    // A small file takes a few milliseconds, where the scheduler and the
    // page faults of a fresh process weigh more: it gets more repetitions,
    // up to ten times as many, so each file is measured for about as long.
    const int fileReps = std::max(
        reps, std::min(10 * reps, static_cast<int>(reps * 100e6 / f.size)));
    for (int r = 0; r < fileReps; ++r) {
      Sample a, b;
      // Alternate the order so that neither always runs second.
      const bool readerFirst = r % 2 == 0;
      if (!Measure(readerFirst ? "reader" : "tokenizer", f.path, a) ||
          !Measure(readerFirst ? "tokenizer" : "reader", f.path, b)) {
        return 1;
      }
      const Sample& rs = readerFirst ? a : b;
      const Sample& ts = readerFirst ? b : a;
      reader.push_back(rs.seconds);
      tokenizer.push_back(ts.seconds);
      peak.push_back(rs.peakBytes);
    }
    f.reader = bench::Median(reader);
    f.tokenizer = bench::Median(tokenizer);
    f.peak = bench::Median(peak);
    char peakText[64];
    std::snprintf(peakText, sizeof peakText, "%s (%.2fx file)",
                  bench::FormatMB(f.peak).c_str(), f.peak / f.size);
    bench::PrintRow("ReadJwcTemp " + bench::FormatMB(f.size) + " vs tokenizer",
                    f.reader, f.tokenizer, peakText);
  }

  // The file nearest 100 MB carries the ratio and memory targets.
  const FileResult* main = &files[0];
  for (const FileResult& f : files) {
    if (std::fabs(std::log(f.size / 100e6)) <
        std::fabs(std::log(main->size / 100e6))) {
      main = &f;
    }
  }
  char text[256];
  const double ratio = main->reader / main->tokenizer;
  std::snprintf(text, sizeof text,
                "reading %s: ReadJwcTemp <= 1.5x tokenizer (%.2fx)",
                bench::FormatMB(main->size).c_str(), ratio);
  bench::PrintTarget(text, ratio <= 1.5);
  std::snprintf(text, sizeof text,
                "memory %s: peak RSS above start <= 2x file (%.2fx)",
                bench::FormatMB(main->size).c_str(), main->peak / main->size);
  bench::PrintTarget(text, main->peak <= 2 * main->size);

  if (files.size() > 1) {
    const double perByte = main->reader / main->size;
    bool linear = true;
    std::string growth;
    double worst = 0;
    for (const FileResult& f : files) {
      const double rel = (f.reader / f.size) / perByte;
      worst = std::fmax(worst, std::fabs(rel - 1));
      linear = linear && std::fabs(rel - 1) <= 0.2;
      char part[96];
      std::snprintf(part, sizeof part, "%s%.1f ms/MB at %s",
                    growth.empty() ? "" : ", ", f.reader / f.size * 1e9,
                    bench::FormatMB(f.size).c_str());
      growth += part;
    }
    std::snprintf(text, sizeof text,
                  "reading time linear in size within 20%% (worst %.0f%%)",
                  worst * 100);
    bench::PrintTarget(text, linear);
    bench::PrintNote("read time per MB: " + growth);
    std::string mem;
    for (const FileResult& f : files) {
      char part[96];
      std::snprintf(part, sizeof part, "%s%.2fx at %s", mem.empty() ? "" : ", ",
                    f.peak / f.size, bench::FormatMB(f.size).c_str());
      mem += part;
    }
    bench::PrintNote("read peak memory per file byte: " + mem);
  }
  return 0;
}
