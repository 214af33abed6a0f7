#pragma once

#include "director.h"
#include "mute_key.h"
#include "sound_player.h"

namespace qtgui {

// Everything the desktop game needs to be heard: the cue director watching
// the program, the player, and the M key. `prepare` loads the audio; the game
// calls it after its first frame.
class GameSound {
 public:
  explicit GameSound(forms::Program& program)
      : director_(program, player_), muteKey_([this] { director_.toggleMute(); }) {
    program.watch(director_);
  }
  void prepare() { player_.prepare(); }

 private:
  SoundPlayer player_;
  cues::Director director_;
  MuteKey muteKey_;
};

}  // namespace qtgui
