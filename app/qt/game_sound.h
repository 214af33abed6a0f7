#pragma once

#include <memory>

#include "cue_player.h"
#include "director.h"
#include "mute_key.h"

namespace qtgui {

// Everything the desktop game needs to be heard: the cue director watching
// the program, the M key, and the player, which `prepare` loads from the
// sound module after the first frame. Until then, and for good when the
// module or the sound server is missing, cues go nowhere.
class GameSound final : private cues::CuePlayer {
 public:
  explicit GameSound(forms::Program& program);
  ~GameSound() override;

  void prepare();
  // Where the sound module is looked for: beside the program's own
  // libraries, relative to the binary, so the build tree and an installed
  // tree are alike.
  static QString modulePath();

 private:
  void play(cues::Sound sound) override;
  void say(const cues::Speech& speech, cues::Turn turn) override;
  void silence() override;

  std::unique_ptr<cues::CuePlayer> player_;
  cues::Director director_;
  MuteKey muteKey_;
};

}  // namespace qtgui
