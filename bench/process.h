#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start);
void sleepMs(double ms);

// A child process started with extra environment variables, its output
// appended to a log file.
class Process {
 public:
  Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
          const std::string& logPath);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  Clock::time_point started() const { return started_; }
  bool running() const { return !exited_; }

  // Waits for the exit; on timeout the process is killed and nullopt returned.
  std::optional<int> wait(double timeoutMs);
  // Wall time from just before the spawn to the reaping, and peak resident
  // set of the whole run (from the kernel's rusage).
  double wallMs() const { return wallMs_; }
  long maxRssKiB() const { return maxRssKiB_; }

  // From /proc while it runs.
  std::optional<long> vmHwmKiB() const;
  std::optional<long> pssKiB() const;
  std::optional<long long> cpuTicks() const;

 private:
  pid_t pid_ = -1;
  int pidfd_ = -1;
  Clock::time_point started_;
  bool exited_ = false;
  double wallMs_ = 0;
  long maxRssKiB_ = 0;
};

// Runs a program to its end and returns what it printed on stdout.
std::optional<std::string> runForOutput(const std::vector<std::string>& argv,
                                        const std::map<std::string, std::string>& env, const std::string& logPath,
                                        double timeoutMs);

double cpuTickMs();

}  // namespace bench
