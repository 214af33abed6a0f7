#pragma once

#include "support/game.h"

namespace testing_support {

// A child at Follow the Pattern, which must be on screen and freshly loaded.
// Both read `pattern` to know the right button, and let the playback run
// before every click, as a child waits for the buttons to open.

// Works through four patterns without a mistake, then clicks wrong until the
// allowance is used up: the game is passed and the guide is back.
void winPattern(Game& game);

// Clicks wrong until the allowance is used up, long before the fourth
// pattern: the game is failed and the guide shows the failure text.
void losePattern(Game& game);

}  // namespace testing_support
