#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reading_model.h"
#include "forms/watcher.h"

namespace reading {

// What a platform does with what the reader works out: the desktop sends
// accessibility events, the page sets roles and names and writes to a live
// region, the headless platform records it for tests.
class Presenter {
 public:
  virtual ~Presenter() = default;

  // Whether anyone listens. While no one does, the reader keeps nothing and
  // tells nothing: a child who plays by sight pays nothing for it.
  virtual bool listening() const { return true; }
  // A form is told for the first time, or again after it was reloaded:
  // every control it reads, in reading order.
  virtual void formRead(forms::Form&, const std::vector<int>& /*order*/, const std::vector<ControlReading>&) {}
  // One control now reads differently (its name, place, visibility or state).
  virtual void controlRead(forms::Form&, int /*slot*/, const ControlReading& /*before*/,
                           const ControlReading& /*now*/) {}
  // A window came to the front: its title, then the texts it shows.
  virtual void windowFront(forms::Form& form, std::string_view title, const std::vector<std::string>& texts) = 0;
  // Words to say, each a message of its own, in reading order. The form
  // may have gone from the screen in the same event (the winning card
  // pair): the words are still said, before the next window's.
  virtual void say(forms::Form& form, const std::vector<std::string>& messages) = 0;
  // The event's words are all out.
  virtual void eventTold() {}
};

// Tells a presenter what changed, once each event's handler has ended, so
// that a sentence is told as the child sees it settle and not each step a
// handler takes. A control set and set back in one event says nothing,
// except after a click: what a click changes and changes back (a light put
// out and lit again), or sets again as it was (the same praise twice), is
// said again, since the child who clicked waits for an answer.
class Reader final : public forms::Watcher {
 public:
  explicit Reader(Presenter& presenter) : presenter_(presenter) {}

  // Words the child asked for by key (the last sentence again, how far the
  // game is), told at once, from the window that has the keys.
  void answer(forms::Form& form, const std::vector<std::string>& words) {
    if (!words.empty() && presenter_.listening()) presenter_.say(form, words);
  }

  void formShown(forms::Form& form) override;
  void formHidden(forms::Form& form) override;
  void formUnloaded(forms::Form& form) override;
  void controlChanged(forms::Form& form, int slot, forms::Property what) override;
  void controlRewritten(forms::Form& form, int slot, forms::Property what) override;
  void eventHandled(forms::Cause cause) override;

 private:
  struct Told {
    ControlReading reading;
    std::string spoken;
  };
  struct FormTold {
    std::vector<int> order;  // slots in reading order
    std::vector<Told> controls;
  };

  void mark(forms::Form& form);
  void tell(forms::Form& form, bool shown, bool wentAway, bool clicked);
  bool touched(const forms::Form& form, int slot) const;

  Presenter& presenter_;
  std::map<const forms::Form*, FormTold> told_;
  std::vector<forms::Form*> changed_;
  std::vector<const forms::Form*> shown_;
  std::vector<const forms::Form*> hidden_;
  std::vector<std::pair<const forms::Form*, int>> touched_;  // controls set by this event
};

}  // namespace reading
