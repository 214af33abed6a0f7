#include "x_display.h"

#include "process.h"

#include <gtest/gtest.h>
#include <unistd.h>

// After the test framework: Xlib's macros clash with its names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <stdexcept>

namespace {

// A connection of its own. Now and then the display refuses one for a
// moment, right after the test before let go of its own: it is asked again,
// and a display that stays shut fails the test rather than crashing it.
Display* openDisplay() {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (Display* d = XOpenDisplay(nullptr)) return d;
    bench::sleepMs(50);
  }
  throw std::runtime_error("the X display refuses connections");
}

// A top-level window of this process, made the way a toolkit makes one.
class TestWindow {
 public:
  TestWindow(const char* title, int width, int height) : d_(openDisplay()) {
    w_ = XCreateSimpleWindow(d_, DefaultRootWindow(d_), 10, 10, width, height, 0, 0, 0);
    XStoreName(d_, w_, title);
    long pid = getpid();
    XChangeProperty(d_, w_, XInternAtom(d_, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&pid), 1);
    XMapWindow(d_, w_);
    XSync(d_, False);
  }
  ~TestWindow() {
    XDestroyWindow(d_, w_);
    XCloseDisplay(d_);
  }
  Display* display() const { return d_; }
  Window id() const { return w_; }
  void unmap() {
    XUnmapWindow(d_, w_);
    XSync(d_, False);
  }

 private:
  Display* d_;
  Window w_;
};

class XDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
  }
};

TEST_F(XDisplayTest, FindsAMappedWindowByProcessTitleAndSize) {
  TestWindow window("Pick the Card", 781, 686);
  bench::XDisplay x;
  auto found = x.waitFor(getpid(), "Pick the Card", 781, 686, 2000);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->id, window.id());
  EXPECT_EQ(found->width, 781);
  EXPECT_TRUE(x.find(getpid(), "Pick the Card"));  // any size
  EXPECT_FALSE(x.find(getpid(), "Pick the Card", 512, 489));
  EXPECT_FALSE(x.find(getpid(), "Pick the"));
  EXPECT_FALSE(x.find(getpid() + 1, "Pick the Card"));
  window.unmap();
  EXPECT_TRUE(x.waitGone(getpid(), "Pick the Card", 781, 686, 2000));
}

TEST_F(XDisplayTest, CloseRequestIsTheWindowManagersDeleteMessage) {
  TestWindow window("Hit the worm!", 662, 453);
  bench::XDisplay x;
  x.requestClose(window.id());
  XEvent e{};
  const auto start = bench::Clock::now();
  while (e.type != ClientMessage && bench::msSince(start) < 2000) {
    if (XPending(window.display())) {
      XNextEvent(window.display(), &e);
    } else {
      bench::sleepMs(5);
    }
  }
  ASSERT_EQ(e.type, ClientMessage);
  EXPECT_EQ(e.xclient.window, window.id());
  EXPECT_EQ(e.xclient.message_type, XInternAtom(window.display(), "WM_PROTOCOLS", False));
  EXPECT_EQ(static_cast<Atom>(e.xclient.data.l[0]), XInternAtom(window.display(), "WM_DELETE_WINDOW", False));
}

}  // namespace
