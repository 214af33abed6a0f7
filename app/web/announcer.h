#pragma once

#include <utility>
#include <vector>

#include "forms/forms.h"
#include "forms/watcher.h"
#include "page.h"

namespace web {

// Tells a screen reader what the characters say: the captions that changed
// in an event, and the labels to click on a form that came on show (a
// speech bubble, a "click here to continue"), read once the event has been
// handled, so that a sentence is read as the child sees it settle and not
// each step a handler takes.
class Announcer final : public forms::Watcher {
 public:
  explicit Announcer(Page& page) : page_(page) {}

  void formShown(forms::Form& form) override;
  void controlChanged(forms::Form& form, int slot, forms::Property what) override;
  void formUnloaded(forms::Form& form) override;
  void eventHandled(forms::Cause) override;

 private:
  void note(forms::Form& form, int slot);

  Page& page_;
  std::vector<std::pair<forms::Form*, int>> changed_;
};

}  // namespace web
