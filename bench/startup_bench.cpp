// Start-up benchmark: the time from starting a Windows program under Wine
// until a window with a given title is mapped on the X display, for several
// cases measured in rounds, in a new order each round, on the same warm
// wineserver.
//
//   startup_bench [--reps N] [--timeout S] [--settle S] [--verbose]
//                 [--loader L] --title T
//                 --case <label> <folder> <exe> [<input file>] [--limit R]
//                 [--reference] ...
//
// The first case is the floor every other case is compared with. A case
// given --reference is the one the limits are measured against (the first
// case when none is); a case with --limit R prints a target line: its
// median start-up and its median CPU time each at most R times the
// reference's. With three cases or more, the later ones are also compared
// with the second. Each measurement copies <input file> (if given) to
// <folder>/JWC_TEMP.TXT (unless the copy is there already, unchanged),
// starts "<loader> <exe>" in <folder> (the loader is wine unless --loader
// names another, such as wine64 for 64-bit programs), waits for the window,
// then kills that one process, and rests --settle seconds (0.3 unless given)
// before the next start, so that no program pays for the teardown of the
// one before.
// The window is found by MapNotify events on the root window (top-level
// windows are its children without a window manager), with a full scan of
// the root's children every 20 ms as a fallback.
//
// Each program runs with T482_STARTUP_STAMPS set and its standard error on a
// pipe: t482.exe then stamps the end of each stage of its start-up
// (win32/startup_stamps.h), and a note gives each stage's median time. The
// stamps are Wine's performance counter, which is the host's raw monotonic
// clock, and are compared with that clock read at the start.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_util.h"

namespace {

struct Case {
  std::string label, folder, exe, input;
  double limit = 0;  // the largest ratio to the reference that meets the target
  bool reference = false;  // the limits of the other cases are measured on it
  std::vector<double> seconds;
  std::vector<double> peakKiB;
  std::vector<double> cpu;  // seconds the program's own process ran
  // The copy of the input in the folder: its time and size.
  std::filesystem::file_time_type copied{};
  std::uintmax_t inputSize = 0;
  // Seconds from the start to the end of each stage the program stamped,
  // in the order first seen.
  std::vector<std::pair<std::string, std::vector<double>>> stages;
};

double RawNow() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC_RAW, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Reads what the program wrote to the pipe without waiting (it has ended,
// but programs it started may hold the pipe open) and keeps its stamps.
void KeepStamps(int fd, double start, Case& c) {
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, n);
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    long long count = 0, frequency = 0;
    int used = 0;
    if (std::sscanf(line.c_str(), "t482-stage %lld %lld %n", &count, &frequency,
                    &used) != 2 ||
        used == 0 || frequency <= 0) {
      continue;
    }
    const double seconds =
        static_cast<double>(count) / static_cast<double>(frequency);
    const std::string stage = line.substr(static_cast<size_t>(used));
    auto it = std::find_if(c.stages.begin(), c.stages.end(),
                           [&](const auto& s) { return s.first == stage; });
    if (it == c.stages.end()) {
      c.stages.emplace_back(stage, std::vector<double>());
      it = c.stages.end() - 1;
    }
    it->second.push_back(seconds - start);
  }
}

class WindowWatch {
 public:
  bool Open(const std::string& title) {
    title_ = title;
    d_ = XOpenDisplay(nullptr);
    if (d_ == nullptr) return false;
    root_ = DefaultRootWindow(d_);
    netWmName_ = XInternAtom(d_, "_NET_WM_NAME", False);
    utf8_ = XInternAtom(d_, "UTF8_STRING", False);
    XSelectInput(d_, root_, SubstructureNotifyMask);
    XSync(d_, False);
    return true;
  }
  ~WindowWatch() {
    if (d_ != nullptr) XCloseDisplay(d_);
  }

  /// True when a mapped top-level window has the title.
  bool Scan() {
    Window rootReturn, parent;
    Window* children = nullptr;
    unsigned int n = 0;
    bool found = false;
    if (XQueryTree(d_, root_, &rootReturn, &parent, &children, &n)) {
      for (unsigned int i = 0; i < n && !found; ++i) {
        found = Matches(children[i]);
      }
      if (children != nullptr) XFree(children);
    }
    return found;
  }

  /// Waits up to `limit` seconds for the window; true when it appeared.
  bool WaitFor(double limit) {
    const double start = bench::Now();
    double lastScan = 0;
    for (;;) {
      while (XPending(d_) > 0) {
        XEvent e;
        XNextEvent(d_, &e);
        if (e.type == CreateNotify) {
          // The title may be set after mapping: watch the properties too.
          XSelectInput(d_, e.xcreatewindow.window, PropertyChangeMask);
        } else if (e.type == MapNotify && Matches(e.xmap.window)) {
          return true;
        } else if (e.type == PropertyNotify && Matches(e.xproperty.window)) {
          return true;
        }
      }
      const double now = bench::Now();
      if (now - lastScan > 0.02) {
        if (Scan()) return true;
        lastScan = now;
      }
      if (now - start > limit) return false;
      pollfd p{ConnectionNumber(d_), POLLIN, 0};
      poll(&p, 1, 2);
    }
  }

  /// Waits until no window with the title is mapped (after a kill).
  void WaitGone(double limit) {
    const double start = bench::Now();
    while (Scan() && bench::Now() - start < limit) usleep(5000);
    // Drop the events of the old window.
    while (XPending(d_) > 0) {
      XEvent e;
      XNextEvent(d_, &e);
    }
  }

 private:
  bool Matches(Window w) {
    XWindowAttributes a;
    // A window may be gone by now; errors are ignored by the handler.
    if (!XGetWindowAttributes(d_, w, &a) || a.map_state != IsViewable) {
      return false;
    }
    return Title(w) == title_;
  }

  std::string Title(Window w) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d_, w, netWmName_, 0, 1024, False, utf8_, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr) {
      title.assign(reinterpret_cast<char*>(data), count);
      XFree(data);
      return title;
    }
    XTextProperty prop;
    if (XGetWMName(d_, w, &prop) && prop.value != nullptr) {
      char** list = nullptr;
      int n = 0;
      if (Xutf8TextPropertyToTextList(d_, &prop, &list, &n) >= Success &&
          n > 0 && list != nullptr) {
        title = list[0];
        XFreeStringList(list);
      }
      XFree(prop.value);
    }
    return title;
  }

  Display* d_ = nullptr;
  Window root_ = 0;
  Atom netWmName_ = 0, utf8_ = 0;
  std::string title_;
};

int IgnoreXErrors(Display*, XErrorEvent*) {
  return 0;
}

// One start; false when the window did not appear in time.
bool verbose = false;
double settle = 0.3;  // seconds of rest after each program
const char* loader = "wine";

bool MeasureOnce(WindowWatch& watch, Case& c, double timeout, bool keep) {
  namespace fs = std::filesystem;
  if (!c.input.empty()) {
    // The program is stopped before it could write the host file, so the
    // copy stays as it is; copied again only if it changed, as 100 MB
    // written before every start would still be written back to the disk
    // during the starts that follow.
    const std::string host = c.folder + "/JWC_TEMP.TXT";
    std::error_code ec;
    const auto time = fs::last_write_time(host, ec);
    if (ec || time != c.copied || fs::file_size(host, ec) != c.inputSize) {
      ec.clear();
      fs::copy_file(c.input, host, fs::copy_options::overwrite_existing, ec);
      if (!ec) c.inputSize = fs::file_size(c.input, ec);
      if (!ec) c.copied = fs::last_write_time(host, ec);
      if (ec) {
        std::fprintf(stderr, "startup_bench: cannot copy %s\n",
                     c.input.c_str());
        return false;
      }
    }
  }
  int stamps[2];
  if (pipe2(stamps, O_CLOEXEC) != 0) return false;
  const double raw0 = RawNow();
  const double t0 = bench::Now();
  const pid_t pid = fork();
  if (pid < 0) {
    close(stamps[0]);
    close(stamps[1]);
    return false;
  }
  if (pid == 0) {
    if (chdir(c.folder.c_str()) != 0) _exit(126);
    if (dup2(stamps[1], STDERR_FILENO) < 0) _exit(126);
    setenv("T482_STARTUP_STAMPS", "1", 1);
    execlp(loader, loader, c.exe.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  const bool found = watch.WaitFor(timeout);
  const double t1 = bench::Now();
  kill(pid, SIGKILL);
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  close(stamps[1]);
  fcntl(stamps[0], F_SETFL, O_NONBLOCK);
  if (keep && found) KeepStamps(stamps[0], raw0, c);
  close(stamps[0]);
  watch.WaitGone(5);
  // The wineserver and the X server go on tearing down the killed
  // program's windows for a while after its window is gone; the next
  // program would otherwise start on a busy server and pay for them.
  usleep(static_cast<useconds_t>(settle * 1e6));
  if (!found) {
    std::fprintf(stderr, "startup_bench: no window for %s within %.0f s\n",
                 c.label.c_str(), timeout);
    return false;
  }
  if (verbose) {
    std::fprintf(stderr, "startup_bench: %s %.1f ms%s\n", c.label.c_str(),
                 (t1 - t0) * 1000, keep ? "" : " (warm-up)");
  }
  if (keep) {
    c.seconds.push_back(t1 - t0);
    c.peakKiB.push_back(static_cast<double>(usage.ru_maxrss));
    c.cpu.push_back(static_cast<double>(usage.ru_utime.tv_sec) +
                    static_cast<double>(usage.ru_stime.tv_sec) +
                    (static_cast<double>(usage.ru_utime.tv_usec) +
                     static_cast<double>(usage.ru_stime.tv_usec)) *
                        1e-6);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int reps = 7;
  double timeout = 60;
  std::string title;
  std::vector<Case> cases;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--reps" && i + 1 < argc) {
      reps = std::atoi(argv[++i]);
    } else if (a == "--timeout" && i + 1 < argc) {
      timeout = std::atof(argv[++i]);
    } else if (a == "--settle" && i + 1 < argc) {
      settle = std::atof(argv[++i]);
    } else if (a == "--loader" && i + 1 < argc) {
      loader = argv[++i];
    } else if (a == "--verbose") {
      verbose = true;
    } else if (a == "--title" && i + 1 < argc) {
      title = argv[++i];
    } else if (a == "--case" && i + 3 < argc) {
      Case c;
      c.label = argv[++i];
      c.folder = argv[++i];
      c.exe = argv[++i];
      if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) {
        c.input = argv[++i];
      }
      for (;;) {
        if (i + 2 < argc && std::string(argv[i + 1]) == "--limit") {
          c.limit = std::atof(argv[i + 2]);
          i += 2;
        } else if (i + 1 < argc && std::string(argv[i + 1]) == "--reference") {
          c.reference = true;
          i += 1;
        } else {
          break;
        }
      }
      cases.push_back(c);
    } else {
      std::fprintf(stderr, "startup_bench: unknown argument %s\n", a.c_str());
      return 2;
    }
  }
  if (title.empty() || cases.size() < 2 || reps < 1) {
    std::fprintf(stderr,
                 "usage: %s [--reps N] [--timeout S] --title T --case <label> "
                 "<folder> <exe> [<input>] ...\n",
                 argv[0]);
    return 2;
  }
  XSetErrorHandler(IgnoreXErrors);
  WindowWatch watch;
  if (!watch.Open(title)) {
    std::fprintf(stderr, "startup_bench: no X display\n");
    return 1;
  }
  // A first round warms the wineserver, the page cache and Wine's DLLs.
  for (Case& c : cases) {
    if (!MeasureOnce(watch, c, timeout, false)) return 1;
  }
  // Each round takes the cases in a new order (the same orders from run to
  // run), so that no case always follows the same other one: a start pays
  // something for the one before it, most of all after the large file.
  std::vector<size_t> order(cases.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::mt19937 shuffle(482);
  for (int r = 0; r < reps; ++r) {
    std::shuffle(order.begin(), order.end(), shuffle);
    for (size_t k : order) {
      if (!MeasureOnce(watch, cases[k], timeout, true)) return 1;
    }
  }
  // Wall-clock times suffer when other processes compete for the
  // processors; the fastest start and the process's own CPU time do less.
  for (const Case& c : cases) {
    const auto wall = std::minmax_element(c.seconds.begin(), c.seconds.end());
    const auto cpu = std::minmax_element(c.cpu.begin(), c.cpu.end());
    bench::PrintNote("start-up " + c.label + ": " +
                     bench::FormatSeconds(*wall.first) + " to " +
                     bench::FormatSeconds(*wall.second) + ", CPU time median " +
                     bench::FormatSeconds(bench::Median(c.cpu)) + " (" +
                     bench::FormatSeconds(*cpu.first) + " to " +
                     bench::FormatSeconds(*cpu.second) +
                     ", the program's process, without wineserver and X)");
  }
  // Where the time goes: the median end of each stage the program stamped
  // in every run and of the mapping of its window, in order, and what each
  // adds to the one before (the first: from the start). A stage that ends
  // after the mapping is left out: the program is stopped at the mapping,
  // and reached such a stage only now and then.
  for (const Case& c : cases) {
    std::vector<std::pair<double, std::string>> ends;
    for (const auto& [stage, times] : c.stages) {
      if (times.size() == c.seconds.size()) {
        ends.emplace_back(bench::Median(times), stage);
      }
    }
    if (ends.empty()) continue;
    ends.emplace_back(bench::Median(c.seconds), "window mapped");
    std::stable_sort(
        ends.begin(), ends.end(),
        [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string text = "start-up stages of " + c.label + ":";
    double before = 0;
    for (const auto& [end, stage] : ends) {
      char part[160];
      std::snprintf(part, sizeof part, "%s %s %.1f ms (+%.1f)",
                    before == 0 ? "" : ";", stage.c_str(), end * 1000,
                    (end - before) * 1000);
      text += part;
      before = end;
    }
    bench::PrintNote(text);
  }
  // With more than two cases the second is a second reference (the
  // floor's window with the dialog's standard controls): what the later
  // cases add to it is the program's own work.
  const double reference = bench::Median(cases[1].seconds);
  for (size_t i = 2; i < cases.size(); ++i) {
    const double s = bench::Median(cases[i].seconds);
    char text[256];
    std::snprintf(text, sizeof text, "start-up %s vs %s: %.2fx (%s%s)",
                  cases[i].label.c_str(), cases[1].label.c_str(), s / reference,
                  s >= reference ? "+" : "-",
                  bench::FormatSeconds(std::fabs(s - reference)).c_str());
    bench::PrintNote(text);
  }
  const Case* ref = &cases[0];
  for (const Case& c : cases) {
    if (c.reference) ref = &c;
  }
  const double refWall = bench::Median(ref->seconds);
  const double refCpu = bench::Median(ref->cpu);
  const double floor = bench::Median(cases[0].seconds);
  const double floorPeak = bench::Median(cases[0].peakKiB) * 1024;
  bench::PrintRow("start-up " + cases[0].label + " (floor)", floor, floor,
                  bench::FormatMB(floorPeak) + " (process)");
  for (size_t i = 1; i < cases.size(); ++i) {
    const double s = bench::Median(cases[i].seconds);
    const double peak = bench::Median(cases[i].peakKiB) * 1024;
    bench::PrintRow("start-up " + cases[i].label + " vs floor", s, floor,
                    bench::FormatMB(peak) + " (process)");
    if (cases[i].limit > 0) {
      const double cpu = bench::Median(cases[i].cpu);
      char text[400];
      std::snprintf(
          text, sizeof text,
          "start-up %s: median and CPU time <= %.2fx those of %s (%.2fx, "
          "%s%s; CPU time %.2fx, %s%s)",
          cases[i].label.c_str(), cases[i].limit, ref->label.c_str(),
          s / refWall, s >= refWall ? "+" : "-",
          bench::FormatSeconds(std::fabs(s - refWall)).c_str(), cpu / refCpu,
          cpu >= refCpu ? "+" : "-",
          bench::FormatSeconds(std::fabs(cpu - refCpu)).c_str());
      bench::PrintTarget(text, s <= cases[i].limit * refWall &&
                                   cpu <= cases[i].limit * refCpu);
    }
  }
  return 0;
}
