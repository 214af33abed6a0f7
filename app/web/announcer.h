#pragma once

#include <utility>
#include <vector>

#include "forms.h"
#include "page.h"
#include "watcher.h"

namespace web {

// Tells a screen reader what the characters say: the captions that changed
// in an event, read once the event has been handled, so that a sentence is
// read as the child sees it settle and not each step a handler takes.
class Announcer final : public forms::Watcher {
 public:
  explicit Announcer(Page& page) : page_(page) {}

  void controlChanged(forms::Form& form, int slot, forms::Property what) override;
  void formUnloaded(forms::Form& form) override;
  void eventHandled() override;

 private:
  Page& page_;
  std::vector<std::pair<forms::Form*, int>> changed_;
};

}  // namespace web
