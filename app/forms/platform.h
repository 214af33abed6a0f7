#pragma once

#include <string>

#include "geometry.h"
#include "runtime.h"

namespace forms {

class Form;

// What the form layer needs of a windowing system. The form layer calls it and
// never knows which one it has: real Qt windows, or a virtual clock in tests.
class Platform : public Clock {
 public:
  // A form was loaded: make its window (hidden) and start its timers.
  virtual void formLoaded(Form& form) = 0;
  // Make the window visible and bring it to the front (also when visible).
  virtual void formShown(Form& form) = 0;
  virtual void formHidden(Form& form) = 0;
  // The form is about to lose its controls: destroy its window, stop its timers.
  virtual void formUnloaded(Form& form) = 0;
  // A property of a control changed; `area` is what must be painted again.
  virtual void controlChanged(Form& form, int slot, TwipRect area) = 0;
  // A timer's interval or enabled state changed: start, restart or stop it.
  virtual void timerChanged(Form& form, int slot) = 0;
  // The one error report. The program has already ended when it is called:
  // no timer may tick and no handler may run while the user reads it.
  virtual void reportError(const std::string& message) = 0;
  virtual void quit(int exitCode) = 0;
};

}  // namespace forms
