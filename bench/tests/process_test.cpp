#include "process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string logFile() { return ::testing::TempDir() + "bench_process_test.log"; }

TEST(Process, ExtraEnvironmentReplacesWhatTheParentHas) {
  setenv("BENCH_TEST_KEPT", "parent", 1);
  setenv("BENCH_TEST_SET", "parent", 1);
  auto out = bench::runForOutput({"/bin/sh", "-c", "echo $BENCH_TEST_KEPT $BENCH_TEST_SET"},
                                 {{"BENCH_TEST_SET", "child"}}, logFile(), 10000);
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "parent child\n");
}

TEST(Process, ReportsExitStatusWallTimeAndPeakMemory) {
  bench::Process p({"/bin/sh", "-c", "sleep 0.1; exit 3"}, {}, logFile());
  EXPECT_EQ(p.wait(10000), 3);
  EXPECT_FALSE(p.running());
  EXPECT_GE(p.wallMs(), 100);
  EXPECT_LT(p.wallMs(), 5000);
  EXPECT_GT(p.maxRssKiB(), 0);
  // A failed program gives no output to read.
  EXPECT_EQ(bench::runForOutput({"/bin/sh", "-c", "echo partial; exit 1"}, {}, logFile(), 10000), std::nullopt);
}

TEST(Process, ATimeoutKillsTheChild) {
  const auto start = bench::Clock::now();
  bench::Process p({"/bin/sh", "-c", "exec sleep 30"}, {}, logFile());
  EXPECT_EQ(p.wait(200), std::nullopt);
  EXPECT_FALSE(p.running());
  EXPECT_LT(bench::msSince(start), 5000);
}

TEST(Process, ReadsItsOwnEntriesInProc) {
  bench::Process p({"/bin/sh", "-c", "exec sleep 5"}, {}, logFile());
  EXPECT_GT(p.vmHwmKiB().value_or(0), 0);
  EXPECT_TRUE(p.cpuTicks().has_value());
  p.wait(0);
}

TEST(Process, OutputGoesToTheLog) {
  std::remove(logFile().c_str());
  bench::Process p({"/bin/sh", "-c", "echo to-out; echo to-err >&2"}, {}, logFile());
  ASSERT_EQ(p.wait(10000), 0);
  std::ifstream in(logFile());
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "to-out\nto-err\n");
}

}  // namespace
