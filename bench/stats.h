#pragma once

#include <optional>
#include <string>
#include <vector>

namespace bench {

// Order statistics of a sample, interpolated between neighbours so that a
// small sample still gives a steady figure.
double percentile(std::vector<double> values, double p);
inline double median(std::vector<double> values) { return percentile(std::move(values), 50); }

struct Summary {
  double median = 0;
  double min = 0;
  double max = 0;
  int count = 0;
};
Summary summarise(const std::vector<double>& values);

// Game and baseline measured alternately: one ratio per pair, so that a slow
// moment of the machine weighs on both sides of the same ratio.
Summary pairedRatios(const std::vector<double>& game, const std::vector<double>& baseline);

// The errors of a periodic timer: the differences between successive tick
// times (in ms) and the nominal period.
struct PeriodErrors {
  double meanPeriod = 0;
  double medianAbsError = 0;
  double p99AbsError = 0;
  int periods = 0;
};
PeriodErrors periodErrors(const std::vector<double>& tickTimesMs, double nominalMs);

// Values read from /proc, from the text of one file so that they can be
// tested without a process.
std::optional<long> vmHwmKiB(const std::string& statusText);
// The proportional set size: each shared page counted divided by the number
// of processes that map it, what the process costs the machine.
std::optional<long> pssKiB(const std::string& smapsRollupText);
// utime + stime in clock ticks; the command name may hold spaces and brackets.
std::optional<long long> cpuTicks(const std::string& statText);

}  // namespace bench
