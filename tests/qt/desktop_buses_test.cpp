#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "desktop/desktop_buses.h"

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

// Sets a bus address for one test and puts the old one back.
struct BusAddress {
  const char* name;
  std::string saved;
  bool had;
  explicit BusAddress(const std::string& address, const char* variable = "DBUS_SESSION_BUS_ADDRESS") : name(variable) {
    const char* old = std::getenv(name);
    had = old != nullptr;
    if (had) saved = old;
    setenv(name, address.c_str(), 1);
  }
  ~BusAddress() { had ? setenv(name, saved.c_str(), 1) : unsetenv(name); }
  std::string now() const {
    const char* value = std::getenv(name);
    return value ? value : "";
  }
};

constexpr std::chrono::milliseconds kDeadline(200);

}  // namespace

// Protects the start-up on a desktop whose session bus hangs: a silent bus is
// set aside, a bus that answers is left to Qt and the screen readers.
TEST(DesktopBuses, ASilentBusIsSetAsideSoQtCannotWaitForIt) {
  FakeBus bus;
  BusAddress address("unix:path=" + bus.path + ",guid=0123");
  EXPECT_FALSE(desktop::guardDesktopBuses(kDeadline));
  EXPECT_NE(address.now().find("nonexistent"), std::string::npos);
}

TEST(DesktopBuses, ASilentAccessibilityBusSetsTheBridgeAsideWhateverTheSessionBus) {
  FakeBus bus;
  BusAddress session("disabled:");
  BusAddress accessibility("unix:path=" + bus.path, "AT_SPI_BUS_ADDRESS");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(desktop::guardDesktopBuses(kDeadline));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(accessibility.now(), "");
  EXPECT_NE(session.now().find("nonexistent"), std::string::npos);
}

TEST(DesktopBuses, ABusThatAnswersIsKeptWhereverItIsInTheAddressList) {
  FakeBus bus;
  // libdbus takes the first address it can reach; the first is no bus.
  const std::string list = "unix:path=/nonexistent/bus;unix:path=" + bus.path;
  BusAddress address(list);
  std::thread answering = bus.answer();
  EXPECT_TRUE(desktop::guardDesktopBuses(kDeadline));
  answering.join();
  EXPECT_EQ(address.now(), list);
}

TEST(DesktopBuses, NoBusOrAnotherTransportIsLeftToQt) {
  for (std::string list : {"unix:path=/nonexistent/bus", "tcp:host=localhost,port=1", "autolaunch:", "disabled:"}) {
    BusAddress address(list);
    EXPECT_TRUE(desktop::guardDesktopBuses(kDeadline)) << list;
    EXPECT_EQ(address.now(), list);
  }
}
