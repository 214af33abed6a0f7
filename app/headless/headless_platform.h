#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forms/forms.h"

namespace headless {

// The form layer's platform over a virtual clock: nothing happens until a test
// or tool advances time, clicks or closes a window, and then it happens in the
// same order every run.
class HeadlessPlatform final : public forms::Platform {
 public:
  // The virtual time of day at start, which `Randomize` reads.
  explicit HeadlessPlatform(double secondsSinceMidnight = 10 * 3600.0);

  // Ticks are delivered to this program.
  void attach(forms::Program& program) { program_ = &program; }
  // Every timer runs 1/pace slower from its next start; the forms never see it.
  void setPace(double pace) { pace_ = pace; }

  // Virtual time in milliseconds since the platform was made.
  std::int64_t now() const { return now_; }
  // Delivers every tick that falls due within the next `ms`, in time order
  // (timers due at the same moment in the order they were started).
  void advance(std::int64_t ms);
  // The moment of the next tick, if any timer runs.
  std::optional<std::int64_t> nextTick() const;

  // A click where a child would click: at the centre of the control's current
  // rectangle, through the same hit-testing as a real click. A control whose
  // window is not on screen cannot be clicked.
  void click(const forms::ControlRef& control);
  void clickAt(forms::Form& form, forms::TwipPoint point);
  // The window's close button; only a window on screen has one to press.
  void close(forms::Form& form);

  // Windows on screen, back to front.
  const std::vector<forms::Form*>& windows() const { return windows_; }
  forms::Form* frontWindow() const { return windows_.empty() ? nullptr : windows_.back(); }
  const std::vector<std::string>& errors() const { return errors_; }
  std::optional<int> quitCode() const { return quitCode_; }
  int runningTimers() const { return static_cast<int>(timers_.size()); }

  // forms::Platform
  double secondsSinceMidnight() const override;
  void formLoaded(forms::Form& form) override;
  void formShown(forms::Form& form) override;
  void formHidden(forms::Form& form) override;
  void formUnloaded(forms::Form& form) override;
  void controlChanged(forms::Form& form, int slot, forms::TwipRect area) override;
  void timerChanged(forms::Form& form, int slot) override;
  void reportError(const std::string& message) override;
  void quit(int exitCode) override;

 private:
  struct RunningTimer {
    forms::Form* form;
    int slot;
    std::uint32_t generation;
    int interval;
    std::int64_t due;
    std::uint64_t order;
  };
  void startTimer(forms::Form& form, int slot);
  void stopTimer(forms::Form& form, int slot);
  void removeWindow(forms::Form& form);

  forms::Program* program_ = nullptr;
  double startSeconds_;
  double pace_ = 1;
  std::int64_t now_ = 0;
  std::uint64_t nextOrder_ = 0;
  std::vector<RunningTimer> timers_;
  std::vector<forms::Form*> windows_;
  std::vector<std::string> errors_;
  std::optional<int> quitCode_;
};

}  // namespace headless
