#include "stats.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(Percentile, InterpolatesBetweenNeighboursOfTheSortedSample) {
  EXPECT_DOUBLE_EQ(bench::median({4, 1, 3, 2}), 2.5);
  EXPECT_DOUBLE_EQ(bench::median({9, 1, 5}), 5);
  EXPECT_DOUBLE_EQ(bench::percentile({3, 1, 2}, 0), 1);
  EXPECT_DOUBLE_EQ(bench::percentile({3, 1, 2}, 100), 3);
  EXPECT_DOUBLE_EQ(bench::percentile({7}, 99), 7);
  std::vector<double> hundredAndOne;
  for (int i = 100; i >= 0; --i) hundredAndOne.push_back(i);
  EXPECT_DOUBLE_EQ(bench::percentile(hundredAndOne, 99), 99);
  EXPECT_DOUBLE_EQ(bench::percentile({0, 10}, 99), 9.9);
  EXPECT_THROW(bench::median({}), std::invalid_argument);
}

TEST(PairedRatios, TakesTheRatioOfEachPairNotOfTheMedians) {
  // A slow moment hits both runs of the second pair; the medians of the
  // sides alone would give 25 / 22.5.
  const bench::Summary r = bench::pairedRatios({10, 40}, {5, 40});
  EXPECT_DOUBLE_EQ(r.median, 1.5);
  EXPECT_DOUBLE_EQ(r.min, 1);
  EXPECT_DOUBLE_EQ(r.max, 2);
  EXPECT_EQ(r.count, 2);
  EXPECT_EQ(bench::pairedRatios({1, 2}, {0, 4}).count, 1);  // a failed reading is left out
  EXPECT_THROW(bench::pairedRatios({1, 2}, {1}), std::invalid_argument);
}

TEST(PeriodErrors, MeasureEachPeriodAgainstTheNominal) {
  // A late tick makes one long and one short period; both are errors.
  const bench::PeriodErrors e = bench::periodErrors({0, 500, 1003, 1500, 2000, 2500}, 500);
  EXPECT_EQ(e.periods, 5);
  EXPECT_DOUBLE_EQ(e.meanPeriod, 500);
  EXPECT_DOUBLE_EQ(e.medianAbsError, 0);
  EXPECT_NEAR(e.p99AbsError, 3, 1e-9);
  EXPECT_EQ(bench::periodErrors({42}, 500).periods, 0);
}

TEST(ProcFiles, PeakResidentSetFromTheStatusFile) {
  const std::string status =
      "Name:\ttobble\nVmPeak:\t  812345 kB\nVmSize:\t  800000 kB\nVmHWM:\t   61234 kB\nVmRSS:\t   60000 kB\n";
  EXPECT_EQ(bench::vmHwmKiB(status), 61234);
  EXPECT_EQ(bench::vmHwmKiB("Name:\tkthreadd\nState:\tS (sleeping)\n"), std::nullopt);
}

TEST(ProcFiles, ProportionalSetFromTheRollupNotItsSharedParts) {
  const std::string rollup =
      "55d0a000-7ffd0000 ---p 00000000 00:00 0  [rollup]\nRss:  60000 kB\nPss:  31234 kB\n"
      "Pss_Anon:  20000 kB\nPss_File:  11000 kB\nShared_Clean:  30000 kB\n";
  EXPECT_EQ(bench::pssKiB(rollup), 31234);
  EXPECT_EQ(bench::pssKiB("Rss:  60000 kB\n"), std::nullopt);
}

TEST(ProcFiles, CpuTicksCountFromAfterTheCommandName) {
  // The command name may itself hold spaces and closing brackets.
  const std::string stat =
      "4242 (tob ble) (x)) S 1 4242 4242 0 -1 4194560 1234 0 0 0 175 25 0 0 20 0 3 0 98765 812345678 15000";
  EXPECT_EQ(bench::cpuTicks(stat), 200);
  EXPECT_EQ(bench::cpuTicks("4242 (tobble) S 1 2 3"), std::nullopt);
  EXPECT_EQ(bench::cpuTicks("no brackets at all"), std::nullopt);
}

}  // namespace
