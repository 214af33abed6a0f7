#include "x_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdexcept>

#include "process.h"

namespace bench {

namespace {

Display* dpy(void* d) { return static_cast<Display*>(d); }

std::optional<long> windowPid(Display* d, ::Window w) {
  const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::optional<long> pid;
  if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
      data && count == 1 && format == 32) {
    pid = *reinterpret_cast<long*>(data);
  }
  if (data) XFree(data);
  return pid;
}

std::string windowTitle(Display* d, ::Window w) {
  char* name = nullptr;
  std::string title;
  if (XFetchName(d, w, &name) && name) title = name;
  if (name) XFree(name);
  return title;
}

// A window can be destroyed between listing it and asking about it: the
// question then fails, which the callers handle, rather than ending the run.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

XDisplay::XDisplay() : display_(XOpenDisplay(nullptr)) {
  if (!display_) throw std::runtime_error("cannot open the X display (run under scripts/with-display)");
  XSetErrorHandler(ignoreErrors);
}

XDisplay::~XDisplay() { XCloseDisplay(dpy(display_)); }

std::optional<XDisplay::Window> XDisplay::find(pid_t pid, const std::string& title, int width, int height) const {
  Display* d = dpy(display_);
  ::Window root = 0, parent = 0;
  ::Window* children = nullptr;
  unsigned int count = 0;
  std::optional<Window> found;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return found;
  // With no window manager every top-level window is a child of the root.
  for (unsigned int i = 0; i < count && !found; ++i) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
    if (windowPid(d, children[i]) != pid || windowTitle(d, children[i]) != title) continue;
    if ((width && a.width != width) || (height && a.height != height)) continue;
    found = Window{children[i], a.width, a.height};
  }
  if (children) XFree(children);
  return found;
}

std::optional<XDisplay::Window> XDisplay::waitFor(pid_t pid, const std::string& title, int width, int height,
                                                  double timeoutMs) const {
  const auto start = Clock::now();
  do {
    if (auto w = find(pid, title, width, height)) return w;
    sleepMs(10);
  } while (msSince(start) < timeoutMs);
  return std::nullopt;
}

bool XDisplay::waitGone(pid_t pid, const std::string& title, int width, int height, double timeoutMs) const {
  const auto start = Clock::now();
  do {
    if (!find(pid, title, width, height)) return true;
    sleepMs(10);
  } while (msSince(start) < timeoutMs);
  return false;
}

void XDisplay::requestClose(unsigned long window) const {
  Display* d = dpy(display_);
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, window, False, NoEventMask, &e);
  XFlush(d);
}

}  // namespace bench
