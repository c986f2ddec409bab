// Writing benchmark: WriteJwcTemp of a million output lines against writing
// the same bytes with one fwrite per line (median CPU times).
//
//   write_bench [--reps N] [--lines N] <scratch folder>
//
// The output lines come from the emitters (segments, texts, attribute
// records, points), so the file holds every kind of line the tool writes,
// text records joined from two entries included. Both files are compared
// byte for byte once.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_util.h"
#include "interchange/jwc_writer.h"
#include "interchange/jww_model.h"

namespace {

// Fills the output list with `count` entries, deterministically.
void FillOutput(JwwModel& m, int count) {
  uint64_t state = 482;
  auto next = [&state]() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state >> 33);
  };
  auto coord = [&next]() {
    return (static_cast<double>(next()) / 4294967296.0 - 0.25) * 40000.0;
  };
  static const char* const kTexts[] = {
      "1,820", "\x8e\xba\x93\xe0 \x88\xea\x8a\x4b", "W=1,200 \"A\""};
  ResetCurrentAttributes(m);
  while (m.OutputLines.Count() < count) {
    const uint32_t pick = next() % 100;
    if (pick < 80) {
      EmitSegment(m, coord(), coord(), coord(), coord());
    } else if (pick < 88) {
      EmitText(m, static_cast<int32_t>(next() % 10), kTexts[next() % 3],
               coord(), coord(), 1, 0.5);
    } else if (pick < 94) {
      EmitLayerGroup(m, static_cast<int32_t>(next() % 16));
      EmitLayer(m, static_cast<int32_t>(next() % 16));
      EmitLineColour(m, static_cast<int32_t>(next() % 9 + 1));
    } else if (pick < 97) {
      EmitPoint(m, 3, coord(), coord(), 1, 90);
    } else {
      EmitZFlags(m, 4);
    }
  }
}

// The file's lines with their line ends, as WriteJwcTemp joins them.
std::vector<std::string> FileLines(const JwwModel& m) {
  const std::string all = RenderJwcTemp(m);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find("\r\n", start);
    end = end == std::string::npos ? all.size() : end + 2;
    lines.push_back(all.substr(start, end - start));
    start = end;
  }
  return lines;
}

bool WriteWithFwrite(const std::vector<std::string>& lines,
                     const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = true;
  for (const std::string& line : lines) {
    ok = std::fwrite(line.data(), 1, line.size(), f) == line.size() && ok;
  }
  return std::fclose(f) == 0 && ok;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
  int reps = 7;
  int count = 1000000;
  std::string dir;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--reps" && i + 1 < argc) {
      reps = std::atoi(argv[++i]);
    } else if (a == "--lines" && i + 1 < argc) {
      count = std::atoi(argv[++i]);
    } else {
      dir = a;
    }
  }
  if (dir.empty() || reps < 1 || count < 1) {
    std::fprintf(stderr, "usage: %s [--reps N] [--lines N] <folder>\n",
                 argv[0]);
    return 2;
  }
  auto m = std::make_unique<JwwModel>();
  InitJwwModel(*m);
  FillOutput(*m, count);
  const std::vector<std::string> lines = FileLines(*m);
  const std::string writerPath = dir + "/JWC_TEMP.TXT";
  const std::string plainPath = dir + "/fwrite.txt";

  std::vector<double> writer, plain;
  for (int r = 0; r < reps + 1; ++r) {  // the first round warms up
    std::remove(writerPath.c_str());
    std::remove(plainPath.c_str());
    double t0 = bench::CpuNow();
    if (!WriteJwcTemp(*m, writerPath)) {
      std::fprintf(stderr, "write_bench: WriteJwcTemp failed\n");
      return 1;
    }
    double t1 = bench::CpuNow();
    if (!WriteWithFwrite(lines, plainPath)) {
      std::fprintf(stderr, "write_bench: fwrite failed\n");
      return 1;
    }
    double t2 = bench::CpuNow();
    if (r == 0) {
      if (Slurp(writerPath) != Slurp(plainPath)) {
        std::fprintf(stderr, "write_bench: the two files differ\n");
        return 1;
      }
      continue;
    }
    writer.push_back(t1 - t0);
    plain.push_back(t2 - t1);
  }
  const double fileSize = static_cast<double>(Slurp(plainPath).size());
  std::remove(writerPath.c_str());
  std::remove(plainPath.c_str());

  const double w = bench::Median(writer), p = bench::Median(plain);
  char figure[128];
  std::snprintf(figure, sizeof figure,
                "WriteJwcTemp %d lines (%s) vs fwrite per line", count,
                bench::FormatMB(fileSize).c_str());
  bench::PrintRow(figure, w, p, "");
  char text[128];
  std::snprintf(text, sizeof text,
                "writing %d lines: WriteJwcTemp <= 1.5x fwrite (%.2fx)", count,
                w / p);
  bench::PrintTarget(text, w <= 1.5 * p);
  return 0;
}
