// Helpers of the benchmark programs (POSIX only: they run natively).
#include "bench/bench_util.h"

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace bench {

double Now() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

double CpuNow() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

long StatusKiB(const char* field) {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (f == nullptr) return -1;
  char line[256];
  long value = -1;
  const size_t len = std::strlen(field);
  while (std::fgets(line, sizeof line, f) != nullptr) {
    if (std::strncmp(line, field, len) == 0 && line[len] == ':') {
      value = std::strtol(line + len + 1, nullptr, 10);
      break;
    }
  }
  std::fclose(f);
  return value;
}

std::string RunSelf(const std::vector<std::string>& args, bool& ok) {
  ok = false;
  int fds[2];
  if (pipe(fds) != 0) return {};
  const pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return {};
  }
  if (pid == 0) {
    dup2(fds[1], 1);
    close(fds[0]);
    close(fds[1]);
    std::vector<char*> argv;
    static char self[] = "/proc/self/exe";
    argv.push_back(self);
    for (const std::string& a : args)
      argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(self, argv.data());
    _exit(127);
  }
  close(fds[1]);
  std::string out;
  char buf[4096];
  for (;;) {
    const ssize_t got = read(fds[0], buf, sizeof buf);
    if (got > 0) {
      out.append(buf, static_cast<size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  close(fds[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return out;
}

std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> words;
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

std::string FormatSeconds(double s) {
  char buf[32];
  if (s < 1) {
    std::snprintf(buf, sizeof buf, "%.1f ms", s * 1000);
  } else {
    std::snprintf(buf, sizeof buf, "%.2f s", s);
  }
  return buf;
}

std::string FormatMB(double bytes) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f MB", bytes / 1e6);
  return buf;
}

void PrintRow(const std::string& figure, double median, double baseline,
              const std::string& peak) {
  char ratio[32];
  std::snprintf(ratio, sizeof ratio, "%.2f",
                baseline > 0 ? median / baseline : 0);
  std::printf("row\t%s\t%s\t%s\t%s\t%s\n", figure.c_str(),
              FormatSeconds(median).c_str(), FormatSeconds(baseline).c_str(),
              ratio, peak.empty() ? "-" : peak.c_str());
  std::fflush(stdout);
}

void PrintTarget(const std::string& description, bool met) {
  std::printf("target\t%s\t%s\n", description.c_str(), met ? "met" : "not met");
  std::fflush(stdout);
}

void PrintNote(const std::string& text) {
  std::printf("note\t%s\n", text.c_str());
  std::fflush(stdout);
}

}  // namespace bench
