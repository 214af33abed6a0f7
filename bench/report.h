#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "stats.h"

namespace bench {

std::string fixed(double value, int decimals);
std::string mib(double kib);
// "1.23x [1.10-1.40]", or just "1.23x" for a single pair.
std::string ratioText(const Summary& ratios);

struct Row {
  std::string measure, game, baseline, ratio, target;
  std::optional<bool> met;  // none: reported only
  std::string notes;
};

// The one table the benchmarks print, in Markdown, with notes under it.
class Table {
 public:
  void add(Row row) { rows_.push_back(std::move(row)); }
  void note(const std::string& line) { notes_.push_back(line); }
  bool anyMissed() const;
  std::string render() const;

 private:
  std::vector<Row> rows_;
  std::vector<std::string> notes_;
};

// "name value" lines, as the harness prints them.
std::map<std::string, std::string> parseFigures(const std::string& text);
// A figure that must be there; throws naming it if it is not.
double figure(const std::map<std::string, std::string>& figures, const std::string& name);

// The first benchmark's record in Google Benchmark's JSON output; throws if
// the output is not JSON or holds no benchmark.
nlohmann::json firstBenchmark(const std::string& output);
// A field of that record: none, or "", if it is missing or of another kind.
std::optional<double> jsonNumber(const nlohmann::json& record, const std::string& key);
std::string jsonString(const nlohmann::json& record, const std::string& key);

}  // namespace bench
