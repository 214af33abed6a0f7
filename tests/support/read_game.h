#pragma once

#include <string>
#include <vector>

#include "reading/reader.h"
#include "headless/reading_recorder.h"
#include "support/game.h"

namespace testing_support {

// The whole game with what a screen reader is told written down.
struct ReadGame : Game {
  ReadGame() { program.watch(reader); }

  headless::ReadingRecorder told;
  reading::Reader reader{told};

  std::vector<std::string> take() { return told.take(); }
};

}  // namespace testing_support
