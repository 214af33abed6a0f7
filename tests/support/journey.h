#pragma once

#include "support/game.h"

namespace testing_support {

// Start-up, Start and the four clicks of the monologue: the guide on screen
// with its welcome text and `talkstep` 0.
void reachGuide(Game& game);

// From the guide on screen: jumps the guide to `step` (5, 8 or 10) and clicks
// it, so that the guide's own hand-over writes the allowance and shows the game.
void handOverAt(Game& game, int step);

}  // namespace testing_support
