#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <deque>
#include <memory>

#include "cue_player.h"

namespace qtgui {

class ClipSink;
class EffectSinks;
class SoundServer;

// Plays the cues through the sound server's own client library: one voice, whose clips follow each other
// and which a new sentence interrupts, and the sounds, which may overlap the
// voice and each other, two at a time.
//
// Nothing is loaded until `prepare`, which the game calls on its sound
// thread after its first frame. Without a sound server that answers within
// a second it plays nothing, quietly, and keeps looking: a server that
// starts, restarts or wakes later is found again, at the next sentence or
// by a retry that waits longer each time. A clip that is not embedded is
// skipped. Whether a screen reader speaks instead of Tobble is the caller's
// to decide, on the GUI thread.
class SoundPlayer final : public QObject, public cues::CuePlayer {
 public:
  explicit SoundPlayer(QObject* parent = nullptr);
  ~SoundPlayer() override;

  void prepare();
  // Whether there is an output to play on, once prepared.
  bool hasOutput() const { return output_; }

  void play(cues::Sound sound) override;
  void say(const cues::Speech& speech, cues::Turn turn) override;
  void silence() override;

 private:
  using Clock = std::chrono::steady_clock;

  void sayNext();
  // One attempt at the server; true once connected.
  bool connectToServer();
  // Lets go of a connection that broke and looks for the server again.
  void lose();
  void retryLater();

  bool prepared_ = false;
  bool output_ = false;
  std::unique_ptr<SoundServer> server_;  // outlives the sinks, which play through it
  std::unique_ptr<ClipSink> voice_;
  std::unique_ptr<EffectSinks> sounds_;
  std::deque<QString> clips_;  // the voice clips still to say, by key
  bool speaking_ = false;
  QTimer retry_;
  std::chrono::milliseconds retryWait_;
  Clock::time_point lastAttempt_;
};

}  // namespace qtgui
