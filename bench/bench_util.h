// Small helpers shared by the benchmark programs: a monotonic clock, medians,
// the process's memory figures, measurements in a fresh child process, and
// the machine-readable result lines that bench/run.sh turns into its table.
//
// Result lines are tab-separated:
//   row    <figure> <median> <baseline median> <ratio> <peak RSS or ->
//   target <description> <met|not met>
//   note   <free text>
#pragma once

#include <string>
#include <vector>

namespace bench {

/// Seconds on a monotonic clock.
double Now();

/// CPU seconds (user and system) this process has used. The reading and
/// writing figures use it: the machine is shared, and the time a process
/// waits for a processor is not the reader's cost.
double CpuNow();

/// The median of `v` (the mean of the middle two for an even count); 0 for
/// an empty vector.
double Median(std::vector<double> v);

/// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 when absent.
long StatusKiB(const char* field);

/// Runs this program again as `/proc/self/exe args...` and returns what the
/// child printed on its standard output; `ok` is false when it did not exit
/// with status 0. Each measurement that looks at peak memory runs this way,
/// so that no measurement inherits the peak of another.
std::string RunSelf(const std::vector<std::string>& args, bool& ok);

/// Splits `s` at blanks.
std::vector<std::string> Words(const std::string& s);

void PrintRow(const std::string& figure, double median, double baseline,
              const std::string& peak);
void PrintTarget(const std::string& description, bool met);
void PrintNote(const std::string& text);

/// "12.3 ms" / "1.23 s".
std::string FormatSeconds(double s);
/// "123.4 MB" (10^6 bytes).
std::string FormatMB(double bytes);

}  // namespace bench
