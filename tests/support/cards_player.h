#pragma once

#include "support/game.h"

namespace testing_support {

// Plays Pick the Cards on screen as a child with a perfect memory would,
// reading the deal from `cardpic`. Both start from any moment of the game.

// Finds every pair that is still missing; returns on the click that passes
// the game, with the guide on screen and the game hidden.
void winCards(Game& game);

// Makes wrong pairs until the allowance is used up, and waits for the tick
// that unloads the game and reports the failure to the guide.
void loseCards(Game& game);

}  // namespace testing_support
