#include "report.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace bench {

std::string fixed(double v, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

std::string ratioText(const Summary& s) {
  if (s.count == 0) return "-";
  if (s.count == 1) return fixed(s.median, 2) + "x";
  return fixed(s.median, 2) + "x [" + fixed(s.min, 2) + "-" + fixed(s.max, 2) + "]";
}

std::string mib(double kib) { return fixed(kib / 1024.0, 1) + " MiB"; }

bool Table::anyMissed() const {
  for (const Row& r : rows_) {
    if (r.met && !*r.met) return true;
  }
  return false;
}

std::string Table::render() const {
  const std::vector<std::string> heads{"Measure", "Game", "Baseline", "Ratio (median [min-max])",
                                       "Target",  "Met",  "Notes"};
  std::vector<std::vector<std::string>> cells;
  for (const Row& r : rows_) {
    cells.push_back({r.measure, r.game, r.baseline, r.ratio, r.target, r.met ? (*r.met ? "yes" : "NO") : "-", r.notes});
  }
  std::vector<std::size_t> width(heads.size());
  for (std::size_t c = 0; c < heads.size(); ++c) width[c] = heads[c].size();
  for (const auto& line : cells) {
    for (std::size_t c = 0; c < line.size(); ++c) width[c] = std::max(width[c], line[c].size());
  }
  std::ostringstream out;
  auto emit = [&](const std::vector<std::string>& line) {
    out << "|";
    for (std::size_t c = 0; c < line.size(); ++c) {
      out << " " << line[c] << std::string(width[c] - line[c].size(), ' ') << " |";
    }
    out << "\n";
  };
  emit(heads);
  out << "|";
  for (std::size_t w : width) out << std::string(w + 2, '-') << "|";
  out << "\n";
  for (const auto& line : cells) emit(line);
  for (const std::string& n : notes_) out << "\n" << n << "\n";
  return out.str();
}

std::map<std::string, std::string> parseFigures(const std::string& text) {
  std::map<std::string, std::string> figures;
  std::istringstream in(text);
  std::string name, value;
  while (in >> name && std::getline(in >> std::ws, value)) figures[name] = value;
  return figures;
}

double figure(const std::map<std::string, std::string>& figures, const std::string& name) {
  auto it = figures.find(name);
  if (it == figures.end()) throw std::runtime_error("the harness did not report " + name);
  return std::stod(it->second);
}

nlohmann::json firstBenchmark(const std::string& output) {
  const nlohmann::json all = nlohmann::json::parse(output);
  const auto benchmarks = all.find("benchmarks");
  if (benchmarks == all.end() || !benchmarks->is_array() || benchmarks->empty()) {
    throw std::runtime_error("the benchmark reported no result");
  }
  return benchmarks->front();
}

std::optional<double> jsonNumber(const nlohmann::json& record, const std::string& key) {
  const auto it = record.find(key);
  if (it == record.end() || !it->is_number()) return std::nullopt;
  return it->get<double>();
}

std::string jsonString(const nlohmann::json& record, const std::string& key) {
  const auto it = record.find(key);
  return it != record.end() && it->is_string() ? it->get<std::string>() : std::string();
}

}  // namespace bench
