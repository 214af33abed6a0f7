#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cues/cue_player.h"
#include "headless_platform.h"

namespace headless {

// Plays nothing and writes down everything that would be heard, with the
// virtual time, so that a test can read the cue stream of a whole journey.
class CueRecorder final : public cues::CuePlayer {
 public:
  struct Cue {
    enum class Kind { Sound, Say, Silence };
    Kind kind;
    std::int64_t at;  // virtual milliseconds
    cues::Sound sound = cues::Sound::card_up;
    cues::Cue cue = {};  // the sound as it is to be heard: its place, rate and volume
    cues::Speech speech = {};
    cues::Turn turn = cues::Turn::Interrupt;
    // "say: <written>", "sound: <name>" or "silence", for reading in tests.
    std::string text() const;
  };

  explicit CueRecorder(const HeadlessPlatform& platform) : platform_(platform) {}

  const std::vector<Cue>& cues() const { return cues_; }
  void clear() { cues_.clear(); }
  // The written texts of the sentences said, in order.
  std::vector<std::string> said() const;
  std::vector<cues::Sound> sounds() const;

  void play(const cues::Cue& cue) override;
  void say(const cues::Speech& speech, cues::Turn turn) override;
  void silence() override;

 private:
  const HeadlessPlatform& platform_;
  std::vector<Cue> cues_;
};

}  // namespace headless
