#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <deque>
#include <memory>

#include "cues/cue_player.h"
#include "server_connection.h"

namespace sound {

class ClipSink;
class EffectSinks;

// Plays the cues through the sound server's own client library: one voice,
// whose clips follow each other and which a new sentence interrupts, and the
// sounds, which may overlap the voice and each other, two at a time.
//
// Lives on the game's thread and never waits there: the server is looked
// for on the library's own loop thread, and the news comes back as an event.
// Nothing is looked for until `prepare`, which the game calls after its
// first frame. Without a sound server that answers within a second it plays
// nothing, quietly, and keeps looking: a server that starts, restarts or
// wakes later is found again, at the next sentence or by a retry that waits
// longer each time. A sentence said while the server is being looked for is
// said once it answers. A clip that is not embedded is skipped. Whether a
// screen reader speaks instead of Tobble is the caller's to decide.
class SoundPlayer final : public QObject, public cues::CuePlayer {
 public:
  explicit SoundPlayer(QObject* parent = nullptr);
  ~SoundPlayer() override;

  void prepare();
  // Whether the server is being looked for; once not, whether there is an
  // output to play on.
  bool connecting() const { return connecting_; }
  bool hasOutput() const { return voice_ != nullptr; }

  void play(const cues::Cue& cue) override;
  void say(const cues::Speech& speech, cues::Turn turn) override;
  void silence() override;

 private:
  using Clock = std::chrono::steady_clock;

  void sayNext();
  // Starts one attempt at the server.
  void connectToServer();
  void settle(ServerConnection::News news);
  // Lets go of a connection that broke or never came and looks again later.
  void lose();
  void retryLater();

  bool prepared_ = false;
  bool connecting_ = false;
  unsigned attempt_ = 0;  // so news of an attempt given up is ignored
  std::unique_ptr<ServerConnection> server_;  // outlives the sinks, which play through it
  std::unique_ptr<ClipSink> voice_;
  std::unique_ptr<EffectSinks> sounds_;
  std::deque<QString> clips_;  // the voice clips still to say, by key
  float voiceGain_ = 1;        // of the sentence being said
  bool speaking_ = false;
  QTimer retry_;
  std::chrono::milliseconds retryWait_;
  Clock::time_point lastAttempt_;
};

}  // namespace sound
