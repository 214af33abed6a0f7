#pragma once

#include <string_view>

#include "forms.h"

namespace screens {

// The bargain between the guide and one of its games, held by the game.
//
// The guide writes the game's allowance of wrong tries into its hidden text
// box `failure` before it shows the game; the game reads it afresh at every
// use. A pass writes nothing and shows the next screen. A game that is failed
// or closed while it is being played writes "-1" and its failure text into
// the guide and shows the guide.
//
// A game that was passed has nothing left to report: when a closing cascade
// of another screen unloads it later, its close handler stays silent, so
// that cascade can end the program or return to the intro screen as it
// means to.
class LessonOutcome {
 public:
  LessonOutcome(forms::Form& game, std::string_view failureText) : game_(game), failureText_(failureText) {}

  // From the game's Form_Load: a freshly loaded game is being played.
  void begin() { passed_ = false; }

  // The allowance of wrong tries, as the guide holds it now.
  double allowance() const;

  // The game is passed: show `next` (the guide, or the completion screen)
  // and hide the game, which stays loaded.
  void pass(forms::FormId next);
  bool passed() const { return passed_; }

  // From the game's Form_Unload, whatever unloads it.
  void gameUnloaded();

 private:
  forms::Form& game_;
  std::string_view failureText_;
  bool passed_ = false;
};

}  // namespace screens
