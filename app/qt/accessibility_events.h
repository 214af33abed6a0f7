#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "forms/watcher.h"

namespace qtgui {

class FormWindow;

// Tells a listening screen reader what changed, the way Qt's own widgets do:
// a shown or hidden control, a new name or text, a change of state, the
// focus; and puts what a sighted child would notice into words on the
// window's status line. It compares each changed form with what it told
// before once the event's handler has ended, so a control set and reset by
// one handler says nothing, except after a click: what a click changes and
// changes back (a light put out and lit again) is said again, since the
// child who clicked waits for an answer. With no client listening it keeps
// nothing.
class AccessibilityEvents final : public forms::Watcher {
 public:
  explicit AccessibilityEvents(std::function<FormWindow*(const forms::Form&)> windowOf)
      : windowOf_(std::move(windowOf)) {}

  void formShown(forms::Form& form) override;
  void formHidden(forms::Form& form) override;
  void formUnloaded(forms::Form& form) override;
  void controlChanged(forms::Form& form, int slot, forms::Property what) override;
  void eventHandled(forms::Cause cause) override;

 private:
  struct Told {
    std::string name;
    std::string description;
    std::string spoken;
    bool visible = false;
    bool enabled = false;
  };
  struct FormTold {
    std::vector<int> order;  // slots in reading order
    std::vector<Told> controls;
  };

  void mark(forms::Form& form);
  void tell(forms::Form& form, FormWindow& window, bool shown, bool clicked);
  bool touched(const forms::Form& form, int slot) const;

  std::function<FormWindow*(const forms::Form&)> windowOf_;
  std::map<const forms::Form*, FormTold> told_;
  std::vector<forms::Form*> changed_;
  std::vector<const forms::Form*> shown_;
  std::vector<std::pair<const forms::Form*, int>> touched_;  // controls set by this event
};

}  // namespace qtgui
