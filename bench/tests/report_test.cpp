#include "report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace {

TEST(Report, RatiosShowTheirSpreadOnlyWhenThereIsOne) {
  EXPECT_EQ(bench::ratioText({1.2345, 1.1, 1.4, 5}), "1.23x [1.10-1.40]");
  EXPECT_EQ(bench::ratioText({1.5, 1.5, 1.5, 1}), "1.50x");
  EXPECT_EQ(bench::ratioText({}), "-");
  EXPECT_EQ(bench::mib(38707), "37.8 MiB");
}

TEST(Report, TableAlignsItsColumnsAndMarksMissedTargets) {
  bench::Table table;
  table.add({"Start-up", "48 ms", "35 ms", "1.37x", "<= 1.25x", false, ""});
  table.add({"Start-up at 2x, reported", "60 ms", "38 ms", "1.60x", "report", std::nullopt, "x"});
  table.add({"Idle", "0.2 %", "-", "-", "< 0.5 %", true, ""});
  table.note("Machine: test");
  EXPECT_TRUE(table.anyMissed());

  std::istringstream lines(table.render());
  std::string line;
  std::vector<std::string> all;
  while (std::getline(lines, line)) all.push_back(line);
  ASSERT_GE(all.size(), 5u);
  // Header, rule and rows are all the same width, with a bar at each end.
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(all[i].size(), all[0].size()) << all[i];
    EXPECT_EQ(all[i].front(), '|');
    EXPECT_EQ(all[i].back(), '|');
  }
  EXPECT_NE(all[2].find("| NO "), std::string::npos);
  EXPECT_NE(all[3].find("| - "), std::string::npos);
  EXPECT_NE(all[4].find("| yes "), std::string::npos);
  EXPECT_EQ(all.back(), "Machine: test");

  bench::Table met;
  met.add({"Idle", "0.2 %", "-", "-", "< 0.5 %", true, ""});
  met.add({"Reported", "1", "-", "-", "report", std::nullopt, ""});
  EXPECT_FALSE(met.anyMissed());
}

TEST(Report, FiguresAreNameValueLines) {
  const auto figures = bench::parseFigures("click.p99_ms 1.6600\nqt.version 6.4.2\n\ntimer.worm.periods 29.0000\n");
  EXPECT_DOUBLE_EQ(bench::figure(figures, "click.p99_ms"), 1.66);
  EXPECT_EQ(figures.at("qt.version"), "6.4.2");
  EXPECT_DOUBLE_EQ(bench::figure(figures, "timer.worm.periods"), 29);
  EXPECT_THROW(bench::figure(figures, "click.median_ms"), std::runtime_error);
}

TEST(Report, FieldsOfGoogleBenchmarkJson) {
  const std::string json = R"({
  "context": {"library_build_type": "debug", "num_cpus": 2},
  "benchmarks": [
    {
      "name": "RandomPlay/min_time:2.000",
      "iterations": 22344,
      "real_time": 1.2588e-01,
      "errors": 0.0000000000000000e+00,
      "games": 1.2797400000000000e+05,
      "inputs": 8.7712e+06,
      "items_per_second": 8.8752e+06,
      "label": "first error: Overflow"
    }
  ]
})";
  const nlohmann::json run = bench::firstBenchmark(json);
  EXPECT_DOUBLE_EQ(bench::jsonNumber(run, "items_per_second").value(), 8.8752e6);
  EXPECT_DOUBLE_EQ(bench::jsonNumber(run, "errors").value(), 0);
  EXPECT_DOUBLE_EQ(bench::jsonNumber(run, "games").value(), 127974);
  EXPECT_EQ(bench::jsonNumber(run, "stuck"), std::nullopt);
  // The run's own fields only, not the context's.
  EXPECT_EQ(bench::jsonNumber(run, "num_cpus"), std::nullopt);
  EXPECT_EQ(bench::jsonString(run, "label"), "first error: Overflow");
  EXPECT_EQ(bench::jsonString(run, "missing"), "");
  EXPECT_THROW(bench::firstBenchmark(R"({"context": {}})"), std::runtime_error);
}

}  // namespace
