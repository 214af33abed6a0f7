#include "support/pattern_player.h"

#include "screens/pattern/patternform.h"

namespace testing_support {

using forms::True;
using screens::Patternform;

namespace {

// Far more ticks than the playback of the longest pattern takes, and far
// more clicks than a game needs, so that a broken game cannot hang a test.
constexpr int kPatienceTicks = 100;
constexpr int kPatienceClicks = 1000;

// Lets the ticks play until the buttons take clicks; false if the game has
// gone or never opens them.
bool waitForInput(Game& game, Patternform& play) {
  for (int tick = 0; tick < kPatienceTicks && play.visible(); ++tick) {
    if (play.clickson == True) return true;
    game.advance(600);
  }
  return play.visible() && play.clickson == True;
}

int rightButton(const Patternform& play) { return play.pattern[play.clickpos]; }

void clickWrongUntilTheGameGoes(Game& game, Patternform& play) {
  for (int i = 0; i < kPatienceClicks && waitForInput(game, play); ++i) {
    game.click(play.clipart((rightButton(play) + 1) % 4));
  }
}

}  // namespace

void winPattern(Game& game) {
  auto& play = game.form<Patternform>();
  for (int i = 0; i < kPatienceClicks && play.stage < 4 && waitForInput(game, play); ++i) {
    game.click(play.clipart(rightButton(play)));
  }
  clickWrongUntilTheGameGoes(game, play);
}

void losePattern(Game& game) { clickWrongUntilTheGameGoes(game, game.form<Patternform>()); }

}  // namespace testing_support
