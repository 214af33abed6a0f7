#pragma once

#include <QString>
#include <memory>

#include "cues/cue_player.h"
#include "cues/director.h"
#include "qt/letter_keys.h"

namespace qtgui {
class QtPlatform;
}  // namespace qtgui

namespace desktop {

// Everything the desktop game needs to be heard: the cue director watching
// the program, the M, H and I keys in every window the platform makes (H
// and I answer through the screen reader too), and the player. `prepare`,
// called after the first
// frame, loads the sound module, whose player never waits on the game's
// thread: the sound server is asked on its client library's own loop thread.
// Until then, and for good when the module is missing, cues go nowhere.
class GameSound final : private cues::CuePlayer {
 public:
  GameSound(forms::Program& program, qtgui::QtPlatform& platform);
  ~GameSound() override;

  void prepare();
  // Where the sound module is looked for: beside the program's own
  // libraries, relative to the binary, so the build tree and an installed
  // tree are alike.
  static QString modulePath();
  // The grown-ups' volumes, 0 to 100.
  void setVolumes(int voice, int effects) { director_.setVolumes(voice, effects); }

 private:
  void play(const cues::Cue& cue) override;
  void say(const cues::Speech& speech, cues::Turn turn) override;
  void silence() override;
  void letterPressed(QWidget* window, qtgui::LetterKeys::Letter letter);

  forms::Program& program_;
  qtgui::QtPlatform& platform_;
  std::unique_ptr<cues::CuePlayer> player_;  // outlives the director, which plays through it
  cues::Director director_;
  qtgui::LetterKeys letterKeys_;
};

}  // namespace desktop
