#pragma once

#include <string>
#include <vector>

#include "sounds.h"

namespace cues {

// A sentence for Tobble to say: the text as the screen shows it, as it is
// spoken, and the voice clips that speak it, in order.
struct Speech {
  std::string written;
  std::string spoken;
  std::vector<std::string> clips;
  float gain = 1;  // the voice's volume, 0 to 1
};

// How the next sentence meets the one being said.
enum class Turn {
  Interrupt,  // a new change on screen: stop the current sentence
  Follow,     // another text of the same change: say it after the current one
};

// Plays what the game's changes sound like. Each platform plays them its own
// way; the headless platform records them.
class CuePlayer {
 public:
  virtual ~CuePlayer() = default;
  // Sounds may overlap each other and the voice.
  virtual void play(const Cue& cue) = 0;
  virtual void say(const Speech& speech, Turn turn) = 0;
  // Stops every sound and the voice at once.
  virtual void silence() = 0;
};

}  // namespace cues
