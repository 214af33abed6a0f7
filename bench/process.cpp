#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "stats.h"

extern char** environ;

namespace bench {

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void sleepMs(double ms) { std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms)); }

double cpuTickMs() { return 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK)); }

namespace {

std::optional<std::string> slurp(const std::string& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

Process::Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                 const std::string& logPath) {
  std::vector<std::string> envText;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    if (!env.contains(entry.substr(0, entry.find('=')))) envText.push_back(entry);
  }
  for (const auto& [name, value] : env) envText.push_back(name + "=" + value);
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const auto& e : envText) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  started_ = Clock::now();
  const int rc = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(rc));
  pidfd_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
}

Process::~Process() {
  if (!exited_) {
    kill(pid_, SIGKILL);
    wait(5000);
  }
  if (pidfd_ >= 0) close(pidfd_);
}

std::optional<int> Process::wait(double timeoutMs) {
  if (exited_) return std::nullopt;
  const auto deadline = Clock::now() + std::chrono::duration<double, std::milli>(timeoutMs);
  for (;;) {
    int status = 0;
    rusage usage{};
    const pid_t done = wait4(pid_, &status, WNOHANG, &usage);
    if (done == pid_) {
      wallMs_ = msSince(started_);
      maxRssKiB_ = usage.ru_maxrss;
      exited_ = true;
      if (WIFEXITED(status)) return WEXITSTATUS(status);
      return 128 + WTERMSIG(status);
    }
    const double left = std::chrono::duration<double, std::milli>(deadline - Clock::now()).count();
    if (left <= 0) {
      kill(pid_, SIGKILL);
      wait4(pid_, &status, 0, &usage);
      exited_ = true;
      return std::nullopt;
    }
    // The pidfd wakes us the moment the child exits; without one, poll often.
    if (pidfd_ >= 0) {
      pollfd p{pidfd_, POLLIN, 0};
      poll(&p, 1, static_cast<int>(left) + 1);
    } else {
      sleepMs(0.2);
    }
  }
}

std::optional<long> Process::vmHwmKiB() const {
  auto text = slurp("/proc/" + std::to_string(pid_) + "/status");
  return text ? bench::vmHwmKiB(*text) : std::nullopt;
}

std::optional<long> Process::pssKiB() const {
  auto text = slurp("/proc/" + std::to_string(pid_) + "/smaps_rollup");
  return text ? bench::pssKiB(*text) : std::nullopt;
}

std::optional<long long> Process::cpuTicks() const {
  auto text = slurp("/proc/" + std::to_string(pid_) + "/stat");
  return text ? bench::cpuTicks(*text) : std::nullopt;
}

std::optional<std::string> runForOutput(const std::vector<std::string>& argv,
                                        const std::map<std::string, std::string>& env, const std::string& logPath,
                                        double timeoutMs) {
  char pattern[] = "/tmp/tobble-bench-XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) return std::nullopt;
  close(fd);
  std::optional<int> status;
  {
    // stdout to its own file, stderr to the log.
    std::vector<std::string> shell{"/bin/sh", "-c",
                                   "exec \"$0\" \"$@\" >'" + std::string(pattern) + "' 2>>'" + logPath + "'"};
    shell.insert(shell.end(), argv.begin(), argv.end());
    Process p(shell, env, logPath);
    status = p.wait(timeoutMs);
  }
  auto text = slurp(pattern);
  unlink(pattern);
  if (!status || *status != 0) return std::nullopt;
  return text;
}

}  // namespace bench
