#include "stats.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace bench {

double percentile(std::vector<double> values, double p) {
  if (values.empty()) throw std::invalid_argument("percentile of no values");
  std::sort(values.begin(), values.end());
  const double rank = std::clamp(p, 0.0, 100.0) / 100.0 * static_cast<double>(values.size() - 1);
  const auto below = static_cast<std::size_t>(std::floor(rank));
  const std::size_t above = std::min(below + 1, values.size() - 1);
  const double part = rank - static_cast<double>(below);
  return values[below] + (values[above] - values[below]) * part;
}

Summary summarise(const std::vector<double>& values) {
  if (values.empty()) return {};
  return {median(values), *std::min_element(values.begin(), values.end()),
          *std::max_element(values.begin(), values.end()), static_cast<int>(values.size())};
}

Summary pairedRatios(const std::vector<double>& game, const std::vector<double>& baseline) {
  if (game.size() != baseline.size()) throw std::invalid_argument("unpaired runs");
  std::vector<double> ratios;
  for (std::size_t i = 0; i < game.size(); ++i) {
    if (baseline[i] > 0) ratios.push_back(game[i] / baseline[i]);
  }
  return summarise(ratios);
}

PeriodErrors periodErrors(const std::vector<double>& tickTimesMs, double nominalMs) {
  PeriodErrors result;
  if (tickTimesMs.size() < 2) return result;
  std::vector<double> errors;
  for (std::size_t i = 1; i < tickTimesMs.size(); ++i) {
    errors.push_back(std::abs(tickTimesMs[i] - tickTimesMs[i - 1] - nominalMs));
  }
  result.periods = static_cast<int>(errors.size());
  result.meanPeriod = (tickTimesMs.back() - tickTimesMs.front()) / static_cast<double>(errors.size());
  result.medianAbsError = median(errors);
  result.p99AbsError = percentile(errors, 99);
  return result;
}

namespace {

// A "Name:   1234 kB" line of a /proc file.
std::optional<long> kibField(const std::string& text, const std::string& name) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(name, 0) != 0) continue;
    std::istringstream fields(line.substr(name.size()));
    long kib = 0;
    if (fields >> kib) return kib;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::optional<long> vmHwmKiB(const std::string& statusText) { return kibField(statusText, "VmHWM:"); }

std::optional<long> pssKiB(const std::string& smapsRollupText) { return kibField(smapsRollupText, "Pss:"); }

std::optional<long long> cpuTicks(const std::string& statText) {
  // Fields after the command name, which ends at the last ')': state is
  // field 3, utime field 14 and stime field 15.
  const auto close = statText.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream in(statText.substr(close + 1));
  std::string field;
  long long utime = 0, stime = 0;
  for (int n = 3; n <= 15; ++n) {
    if (!(in >> field)) return std::nullopt;
    try {
      if (n == 14) utime = std::stoll(field);
      if (n == 15) stime = std::stoll(field);
    } catch (const std::exception&) {
      return std::nullopt;
    }
  }
  return utime + stime;
}

}  // namespace bench
