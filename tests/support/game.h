#pragma once

#include <string>

#include "assets/catalogue.h"
#include "forms/forms.h"
#include "headless/headless_platform.h"
#include "screens/screens.h"

namespace testing_support {

// The whole game on the headless platform, as every screen test drives it.
struct Game {
  explicit Game(double secondsSinceMidnight = 10 * 3600.0);

  headless::HeadlessPlatform platform;
  forms::Program program;

  void start() { program.start(); }
  template <class F>
  F& form() { return program.ref<F>(); }
  forms::Form* find(forms::FormId id) const { return program.find(id); }
  bool loaded(forms::FormId id) const { return find(id) && find(id)->loaded(); }
  bool visible(forms::FormId id) const { return find(id) && find(id)->visible(); }
  void click(const forms::ControlRef& control) { platform.click(control); }
  void clickAt(forms::Form& form, float x, float y) { platform.clickAt(form, {x, y}); }
  void close(forms::Form& form) { platform.close(form); }
  void advance(std::int64_t ms) { platform.advance(ms); }
  bool ended() const { return program.ended(); }
  bool endedCleanly() const { return program.ended() && program.exitCode() == 0 && !program.anyLoaded(); }
  std::string lastError() const { return platform.errors().empty() ? "" : platform.errors().back(); }
};

}  // namespace testing_support
