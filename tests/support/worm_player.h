#pragma once

#include "support/game.h"

namespace testing_support {

// A child at Hit the worm, which must be on screen. Both players watch the
// timer's ticks and read `shownpic` and `hole` to know where the worm apple is.

// Hits the worm apple twenty times (four stages), then misses until the
// allowance is used up: the game is passed and the completion screen is up.
void winWorm(Game& game);

// Misses until the allowance is used up at stage 0: the game is failed and
// the guide shows the failure text.
void loseWorm(Game& game);

}  // namespace testing_support
