#pragma once

#include "cues/cue_player.h"

namespace web {

// Plays the cues with the page's audio (site/audio.js): the same compressed
// clips for every browser, fetched after the first paint. A page without
// audio plays nothing and otherwise goes on as before.
class WebCuePlayer final : public cues::CuePlayer {
 public:
  // Tells the page every clip there is, so that it can fetch them all once
  // the first panel has been painted.
  void prepare();

  void play(const cues::Cue& cue) override;
  void say(const cues::Speech& speech, cues::Turn turn) override;
  void silence() override;
};

}  // namespace web
