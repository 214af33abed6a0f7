#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "session_bus.h"

namespace {

// A local socket a bus client can connect to; it never accepts, so nothing
// is ever said on it, unless `answer` takes the call.
struct FakeBus {
  QTemporaryDir dir;
  std::string path = dir.filePath(QStringLiteral("bus")).toStdString();
  int fd = socket(AF_UNIX, SOCK_STREAM, 0);

  FakeBus() {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(fd, 4);
  }
  ~FakeBus() { close(fd); }

  std::thread answer() {
    return std::thread([this] {
      int client = accept(fd, nullptr, nullptr);
      char buffer[64];
      if (read(client, buffer, sizeof buffer) > 0) write(client, "OK 0123\r\n", 9);
      close(client);
    });
  }
};

// Sets the session bus address for one test and puts the old one back.
struct BusAddress {
  std::string saved;
  bool had;
  explicit BusAddress(const std::string& address) {
    const char* old = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    had = old != nullptr;
    if (had) saved = old;
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
  }
  ~BusAddress() { had ? setenv("DBUS_SESSION_BUS_ADDRESS", saved.c_str(), 1) : unsetenv("DBUS_SESSION_BUS_ADDRESS"); }
  static std::string now() { return std::getenv("DBUS_SESSION_BUS_ADDRESS"); }
};

constexpr std::chrono::milliseconds kDeadline(200);

}  // namespace

// Protects the start-up on a desktop whose session bus hangs: a silent bus is
// set aside, a bus that answers is left to Qt and the screen readers.
TEST(SessionBus, ASilentBusIsSetAsideSoQtCannotWaitForIt) {
  FakeBus bus;
  BusAddress address("unix:path=" + bus.path + ",guid=0123");
  EXPECT_FALSE(qtgui::guardSessionBus(kDeadline));
  EXPECT_NE(BusAddress::now().find("nonexistent"), std::string::npos);
}

TEST(SessionBus, ABusThatAnswersIsKeptWhereverItIsInTheAddressList) {
  FakeBus bus;
  // libdbus takes the first address it can reach; the first is no bus.
  const std::string list = "unix:path=/nonexistent/bus;unix:path=" + bus.path;
  BusAddress address(list);
  std::thread answering = bus.answer();
  EXPECT_TRUE(qtgui::guardSessionBus(kDeadline));
  answering.join();
  EXPECT_EQ(BusAddress::now(), list);
}

TEST(SessionBus, NoBusOrAnotherTransportIsLeftToQt) {
  for (std::string list : {"unix:path=/nonexistent/bus", "tcp:host=localhost,port=1", "autolaunch:"}) {
    BusAddress address(list);
    EXPECT_TRUE(qtgui::guardSessionBus(kDeadline)) << list;
    EXPECT_EQ(BusAddress::now(), list);
  }
}
