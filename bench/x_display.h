#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace bench {

// The few things the benchmarks need of the X server that xdotool cannot do
// without a window manager: find a process's mapped window by title and size,
// and ask a window to close as its close button would.
class XDisplay {
 public:
  XDisplay();
  ~XDisplay();
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;

  struct Window {
    unsigned long id = 0;
    int width = 0;
    int height = 0;
  };
  // A size of 0 matches any size.
  std::optional<Window> find(pid_t pid, const std::string& title, int width = 0, int height = 0) const;
  std::optional<Window> waitFor(pid_t pid, const std::string& title, int width, int height, double timeoutMs) const;
  bool waitGone(pid_t pid, const std::string& title, int width, int height, double timeoutMs) const;

  // WM_DELETE_WINDOW, which is what a window manager sends for the close button.
  void requestClose(unsigned long window) const;

 private:
  void* display_;
};

}  // namespace bench
