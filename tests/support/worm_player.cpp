#include "support/worm_player.h"

#include <gtest/gtest.h>

#include "screens/worm/hit.h"

namespace testing_support {

using forms::FormId;
using screens::Hit;

namespace {

// Far more ticks than twenty hits need: at half the picture ticks showing the
// apple, missing this many would mean the apple never comes.
constexpr int kTickLimit = 2000;
// More misses than any allowance the guide grants.
constexpr int kMissLimit = 100;

// A hole the apple is not in, whatever the last tick showed.
void miss(Game& game, Hit& hit) {
  int elsewhere = (forms::roundToInt16(hit.hole) + 1) % 16;
  game.click(hit.hitpic(elsewhere));
}

void missUntilTheGameEnds(Game& game, Hit& hit) {
  for (int i = 0; i < kMissLimit && game.visible(FormId::hit); ++i) miss(game, hit);
  if (game.visible(FormId::hit)) ADD_FAILURE() << "the worm game outlasted " << kMissLimit << " misses";
}

}  // namespace

void winWorm(Game& game) {
  Hit& hit = game.form<Hit>();
  int hits = 0;
  for (int tick = 0; tick < kTickLimit && hits < 20 && game.visible(FormId::hit); ++tick) {
    // Ticks come exactly one interval apart, also after a stage restarts the
    // timer, so this delivers exactly one tick of the game.
    game.advance(hit.Timer1.interval());
    if (hit.shownpic == 0) {
      game.click(hit.hitpic(forms::roundToInt16(hit.hole)));
      ++hits;
    }
  }
  if (hits < 20) {
    ADD_FAILURE() << "only " << hits << " hits on the worm apple";
    return;
  }
  missUntilTheGameEnds(game, hit);
}

void loseWorm(Game& game) {
  Hit& hit = game.form<Hit>();
  if (!game.visible(FormId::hit)) {
    ADD_FAILURE() << "the worm game is not on screen";
    return;
  }
  missUntilTheGameEnds(game, hit);
}

}  // namespace testing_support
