#pragma once

namespace forms {

class Form;

// What set an event off. A click is a child waiting for an answer, so what
// it changes and changes back may be worth telling again; a tick is not.
enum class Cause { Start, Click, Tick, Close };

// Which property of a control a change touched.
enum class Property { Visible, Caption, Picture, Position, Enabled, Text };

// Something that follows what the game shows without taking part in it: the
// voice and sounds, the screen reader's events. Watchers are told every change
// in the order it happens, and when an event's handler has run to its end, so
// that they can act on the settled screen rather than on the steps a handler
// takes on its way there. A watcher must not call back into the game.
class Watcher {
 public:
  virtual ~Watcher() = default;

  virtual void formShown(Form&) {}
  virtual void formHidden(Form&) {}
  // The form is about to lose its controls; they can still be read.
  virtual void formUnloaded(Form&) {}
  virtual void controlChanged(Form&, int /*slot*/, Property) {}
  // A handler set a property to the value it had: nothing to draw, but a
  // remark made again (the same praise twice) is one to tell again.
  virtual void controlRewritten(Form&, int /*slot*/, Property) {}
  // An event (a click, a tick, a close, the start) has been handled, or the
  // program has ended; nothing in the game changes until the next one.
  virtual void eventHandled(Cause) {}
};

}  // namespace forms
