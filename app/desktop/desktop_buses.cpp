#include "desktop_buses.h"

#include <dbus/dbus.h>
#include <malloc.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace desktop {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kSmallStack = 256 * 1024;

// An address no client can use: Qt's connection fails at once and its
// accessibility bridge stays idle.
constexpr const char* kNoBus = "unix:path=/nonexistent/silent-session-bus";

enum class Reply { Answered, Silent, Absent };

// The local part of an address list: the unix entries before any other
// transport, which libdbus would try first. Nothing when the list cannot be
// read or starts with another transport (a bus Qt would start, or a network
// one); those are left to Qt.
std::optional<std::string> localPart(const std::string& address) {
  DBusAddressEntry** entries = nullptr;
  int count = 0;
  DBusError error;
  dbus_error_init(&error);
  if (!dbus_parse_address(address.c_str(), &entries, &count, &error)) {
    dbus_error_free(&error);
    return std::nullopt;
  }
  // Entries follow the list's own order; a value cannot hold a bare ';'.
  std::string local;
  std::size_t start = 0;
  for (int i = 0; i < count && std::string_view(dbus_address_entry_get_method(entries[i])) == "unix"; ++i) {
    while (start < address.size() && address[start] == ';') ++start;
    const std::size_t end = std::min(address.find(';', start), address.size());
    local.append(local.empty() ? "" : ";").append(address, start, end - start);
    start = end;
  }
  dbus_address_entries_free(entries);
  if (local.empty()) return std::nullopt;
  return local;
}

// The session bus as libdbus finds it: the address, or the socket in the
// runtime directory.
std::optional<std::string> sessionAddress() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address && *address) return localPart(address);
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  if (!dir || !*dir) return std::nullopt;
  const std::string path = std::string(dir) + "/bus";
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) return std::nullopt;
  std::unique_ptr<char, decltype(&dbus_free)> escaped(dbus_address_escape_value(path.c_str()), &dbus_free);
  if (!escaped) return std::nullopt;
  return "unix:path=" + std::string(escaped.get());
}

std::optional<std::string> accessibilityAddress() {
  const char* address = std::getenv("AT_SPI_BUS_ADDRESS");
  if (!address || !*address) return std::nullopt;
  return localPart(address);
}

int msLeft(Clock::time_point until) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
  return left > 1 ? int(left) : 1;
}

// A private connection of the probe's own, closed when it goes.
struct Connection {
  DBusConnection* bus = nullptr;
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() {
    if (!bus) return;
    dbus_connection_close(bus);
    dbus_connection_unref(bus);
  }
};

// Sends a call and waits for its reply until the deadline. An error reply is
// an answer too, except that nobody by that name is there.
Reply call(const Connection& connection, DBusMessage* message, Clock::time_point until, DBusMessage** reply = nullptr) {
  if (!message) return Reply::Absent;
  DBusError error;
  dbus_error_init(&error);
  DBusMessage* answer = dbus_connection_send_with_reply_and_block(connection.bus, message, msLeft(until), &error);
  dbus_message_unref(message);
  if (answer) {
    if (reply) {
      *reply = answer;
    } else {
      dbus_message_unref(answer);
    }
    return Reply::Answered;
  }
  Reply result = Reply::Answered;
  // A bus that hangs up also ends the wait with "no reply"; only one that
  // stays on the line and says nothing is silent.
  if (!dbus_connection_get_is_connected(connection.bus)) {
    result = Reply::Absent;
  } else if (dbus_error_has_name(&error, DBUS_ERROR_NO_REPLY) || dbus_error_has_name(&error, DBUS_ERROR_TIMEOUT)) {
    result = Reply::Silent;
  } else if (dbus_error_has_name(&error, DBUS_ERROR_SERVICE_UNKNOWN) ||
             dbus_error_has_name(&error, DBUS_ERROR_NAME_HAS_NO_OWNER) ||
             dbus_error_has_name(&error, DBUS_ERROR_DISCONNECTED) || dbus_error_has_name(&error, DBUS_ERROR_NO_SERVER)) {
    result = Reply::Absent;
  }
  dbus_error_free(&error);
  return result;
}

// Connects and says hello, as every client of a bus does first.
Reply open(const std::string& address, Clock::time_point until, Connection& connection) {
  DBusError error;
  dbus_error_init(&error);
  connection.bus = dbus_connection_open_private(address.c_str(), &error);
  dbus_error_free(&error);
  if (!connection.bus) return Reply::Absent;
  dbus_connection_set_exit_on_disconnect(connection.bus, FALSE);
  return call(connection, dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "Hello"),
              until);
}

// The accessibility bus's address, as the session bus's launcher gives it
// out; asked only when the launcher runs, as Qt asks, so that no launcher is
// started for the question.
Reply askAccessibilityAddress(const Connection& session, Clock::time_point until, std::string& address) {
  DBusMessage* hasOwner =
      dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "NameHasOwner");
  const char* name = "org.a11y.Bus";
  if (!hasOwner || !dbus_message_append_args(hasOwner, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID)) return Reply::Absent;
  DBusMessage* reply = nullptr;
  Reply said = call(session, hasOwner, until, &reply);
  if (!reply) return said;
  dbus_bool_t owned = FALSE;
  dbus_message_get_args(reply, nullptr, DBUS_TYPE_BOOLEAN, &owned, DBUS_TYPE_INVALID);
  dbus_message_unref(reply);
  if (!owned) return Reply::Absent;

  reply = nullptr;
  said = call(session, dbus_message_new_method_call(name, "/org/a11y/bus", name, "GetAddress"), until, &reply);
  if (!reply) return said;
  const char* text = nullptr;
  if (dbus_message_get_args(reply, nullptr, DBUS_TYPE_STRING, &text, DBUS_TYPE_INVALID) && text) address = text;
  dbus_message_unref(reply);
  return address.empty() ? Reply::Absent : Reply::Answered;
}

// Whether every bus Qt would wait for answered in time. `asking` names the
// one being asked, so that the caller can say which stayed silent even when
// the probe is still waiting.
bool probe(std::optional<std::string> session, std::optional<std::string> accessibility, Clock::time_point until,
           std::atomic<const char*>& asking) {
  Connection sessionBus;
  if (session) {
    asking = "the session bus";
    switch (open(*session, until, sessionBus)) {
      case Reply::Silent: return false;
      case Reply::Absent: session.reset(); break;
      case Reply::Answered: break;
    }
  }
  if (!accessibility && session) {
    asking = "the accessibility bus's launcher";
    std::string address;
    switch (askAccessibilityAddress(sessionBus, until, address)) {
      case Reply::Silent: return false;
      case Reply::Absent: break;
      case Reply::Answered: accessibility = localPart(address); break;
    }
  }
  if (!accessibility) return true;
  asking = "the accessibility bus";
  Connection accessibilityBus;
  switch (open(*accessibility, until, accessibilityBus)) {
    case Reply::Silent: return false;
    case Reply::Absent: return true;
    case Reply::Answered: break;
  }
  // Qt's bridge registers the game with the registry and waits for its word.
  asking = "the accessibility registry";
  const char* registry = "org.a11y.atspi.Registry";
  DBusMessage* ping = dbus_message_new_method_call(registry, "/org/a11y/atspi/registry", DBUS_INTERFACE_PEER, "Ping");
  return call(accessibilityBus, ping, until) != Reply::Silent;
}

}  // namespace

bool guardDesktopBuses(std::chrono::milliseconds deadline) {
  std::optional<std::string> session = sessionAddress();
  std::optional<std::string> accessibility = accessibilityAddress();
  if (!session && !accessibility) return true;

  // The probe runs on a thread of its own, so that nothing a bus does (libdbus
  // does not always keep to the deadline while it authenticates) can hold
  // the game past it; a probe still stuck then is left to finish on its own.
  struct Outcome {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool answered = false;
    std::atomic<const char*> asking{""};
  };
  auto outcome = std::make_shared<Outcome>();
  const Clock::time_point until = Clock::now() + deadline;
  std::thread([outcome, session, accessibility, until] {
    const bool answered = probe(session, accessibility, until, outcome->asking);
    std::lock_guard lock(outcome->mutex);
    outcome->finished = true;
    outcome->answered = answered;
    outcome->done.notify_all();
  }).detach();

  {
    std::unique_lock lock(outcome->mutex);
    // A little past the probe's own deadline, for its last word to land.
    outcome->done.wait_until(lock, until + std::chrono::milliseconds(100), [&] { return outcome->finished; });
    if (outcome->answered) return true;
  }
  setenv("DBUS_SESSION_BUS_ADDRESS", kNoBus, 1);
  unsetenv("AT_SPI_BUS_ADDRESS");
  std::fprintf(stderr, "tobble: %s does not answer; playing on without screen readers\n", outcome->asking.load());
  return false;
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

}  // namespace desktop
