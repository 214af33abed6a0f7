#pragma once

#include "cues/director.h"
#include "headless/cue_recorder.h"
#include "support/game.h"

namespace testing_support {

// The whole game with its cues written down, as a child would hear them.
struct HeardGame : Game {
  HeardGame() { program.watch(director); }

  headless::CueRecorder heard{platform};
  cues::Director director{program, heard};

  // What was heard since the last call, as "say: ..." and "sound: ..." lines.
  std::vector<std::string> take() {
    std::vector<std::string> lines;
    for (const auto& cue : heard.cues()) lines.push_back(cue.text());
    heard.clear();
    return lines;
  }
};

}  // namespace testing_support
