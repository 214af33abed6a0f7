#include "session_bus.h"

#include <malloc.h>
#include <poll.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace qtgui {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kSmallStack = 256 * 1024;

enum class Reply { Answered, Silent, Unreachable };

struct Endpoint {
  std::string path;
  bool abstract = false;
};

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// D-Bus escapes bytes in address values as %XX.
std::string unescape(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    int high = i + 2 < value.size() && value[i] == '%' ? hexDigit(value[i + 1]) : -1;
    int low = high < 0 ? -1 : hexDigit(value[i + 2]);
    if (low < 0) {
      out += value[i];
    } else {
      out += char(high * 16 + low);
      i += 2;
    }
  }
  return out;
}

std::vector<std::string_view> split(std::string_view s, char by) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    std::size_t end = s.find(by, start);
    parts.push_back(s.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::string runtimeBus() {
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  return dir && *dir ? std::string(dir) + "/bus" : std::string();
}

// The bus as libdbus finds it: the address list, or the socket in the
// runtime directory. Nothing when it would start a bus of its own or use a
// transport other than a local socket; those are left to Qt.
std::optional<std::vector<Endpoint>> endpoints() {
  std::vector<Endpoint> found;
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (!address || !*address) {
    struct stat st {};
    std::string path = runtimeBus();
    if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) return std::nullopt;
    found.push_back({path, false});
    return found;
  }
  for (std::string_view entry : split(address, ';')) {
    if (entry.empty()) continue;
    if (!entry.starts_with("unix:")) return found.empty() ? std::nullopt : std::optional(found);
    for (std::string_view pair : split(entry.substr(5), ',')) {
      std::size_t eq = pair.find('=');
      if (eq == std::string_view::npos) continue;
      std::string_view key = pair.substr(0, eq);
      std::string value = unescape(pair.substr(eq + 1));
      if (key == "path") found.push_back({value, false});
      if (key == "abstract") found.push_back({value, true});
      if (key == "runtime" && value == "yes") found.push_back({runtimeBus(), false});
    }
  }
  return found;
}

int remainingMs(Clock::time_point until) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
  return left > 0 ? int(left) : 0;
}

// Opens the conversation every client opens with and waits for the first
// word back. Any word will do: a bus that answers here answers Qt too.
Reply ask(const Endpoint& end, Clock::time_point until) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (end.path.size() + 1 > sizeof addr.sun_path) return Reply::Unreachable;
  std::memcpy(addr.sun_path + (end.abstract ? 1 : 0), end.path.data(), end.path.size());
  socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + end.path.size() + 1);
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return Reply::Unreachable;
  Reply reply = Reply::Silent;
  if (connect(fd, reinterpret_cast<sockaddr*>(&addr), length) != 0) {
    // A full backlog is a bus too busy to take the call; the rest is no bus.
    reply = errno == EAGAIN ? Reply::Silent : Reply::Unreachable;
  } else {
    // A nul byte, then the name the client goes by: its user id, hex-encoded.
    std::string hello(1, '\0');
    hello += "AUTH EXTERNAL ";
    for (char c : std::to_string(getuid())) {
      char two[3];
      std::snprintf(two, sizeof two, "%02x", static_cast<unsigned char>(c));
      hello += two;
    }
    hello += "\r\n";
    if (send(fd, hello.data(), hello.size(), MSG_NOSIGNAL) == ssize_t(hello.size())) {
      pollfd p{fd, POLLIN, 0};
      char word[16];
      while (reply == Reply::Silent) {
        int ready = poll(&p, 1, remainingMs(until));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        reply = read(fd, word, sizeof word) > 0 ? Reply::Answered : Reply::Unreachable;
      }
    }
  }
  close(fd);
  return reply;
}

// libdbus takes the first address it can connect to.
Reply askFirst(const std::vector<Endpoint>& list, Clock::time_point until) {
  for (const Endpoint& end : list) {
    Reply reply = ask(end, until);
    if (reply != Reply::Unreachable) return reply;
  }
  return Reply::Unreachable;
}

// Qt waits for its D-Bus thread without a time limit, so that thread must be
// able to start. Under a limit on the address space the default stack (the
// size of the stack limit, 8 MiB on most desktops) may not fit once the
// libraries are loaded; a small one does, and is plenty for Qt's helpers.
// Each thread's own heap would reserve 64 MiB more, so they share one.
void fitThreadsInAddressSpace() {
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return;
  mallopt(M_ARENA_MAX, 1);
  pthread_attr_t attr;
  if (pthread_getattr_default_np(&attr) != 0) return;
  std::size_t size = 0;
  pthread_attr_getstacksize(&attr, &size);
  if (size > kSmallStack) {
    pthread_attr_setstacksize(&attr, kSmallStack);
    pthread_setattr_default_np(&attr);
  }
  pthread_attr_destroy(&attr);
}

}  // namespace

bool guardSessionBus(std::chrono::milliseconds deadline) {
  fitThreadsInAddressSpace();
  std::optional<std::vector<Endpoint>> list = endpoints();
  if (!list || askFirst(*list, Clock::now() + deadline) != Reply::Silent) return true;
  // An address no client can use: Qt's connection fails at once and its
  // accessibility bridge stays idle.
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/silent-session-bus", 1);
  std::fprintf(stderr, "tobble: the session bus does not answer; playing on without screen readers\n");
  return false;
}

}  // namespace qtgui
