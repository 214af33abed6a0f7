#pragma once

#include <QString>
#include <memory>

#include "cue_player.h"
#include "director.h"
#include "mute_key.h"

class QObject;
class QThread;

namespace qtgui {

// Everything the desktop game needs to be heard: the cue director watching
// the program, the M key, and the player. `prepare`, called after the first
// frame, starts a thread of the sound's own, which loads the sound module and
// plays every cue, so no sound server can hold up a click or a paint. Until
// then, and for good when the module or the sound server is missing, cues go
// nowhere.
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
  // Runs `job` on the sound's thread, in order with every other.
  template <class Job>
  void post(Job&& job);

  std::unique_ptr<QThread> thread_;
  QObject* worker_ = nullptr;                // lives on the sound's thread
  std::unique_ptr<cues::CuePlayer> player_;  // touched only on the sound's thread
  cues::Director director_;
  MuteKey muteKey_;
};

}  // namespace qtgui
