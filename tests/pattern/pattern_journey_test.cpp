#include <gtest/gtest.h>

#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "screens/pattern/patternform.h"
#include "support/game.h"
#include "support/journey.h"
#include "support/pattern_player.h"

using namespace forms;
using screens::Menu;
using screens::Patternform;
using testing_support::Game;

// Protects the round trip from the guide through Follow the Pattern and back.
TEST(PatternJourney, APassedGameReturnsToTheGuideAtStepNineAndStaysSilent) {
  Game game;
  testing_support::reachGuide(game);
  testing_support::handOverAt(game, 8);
  testing_support::winPattern(game);

  Menu& guide = game.form<Menu>();
  Patternform& play = game.form<Patternform>();
  ASSERT_TRUE(guide.visible());
  EXPECT_EQ(guide.talkstep, 9);
  EXPECT_EQ(guide.failure.text(), "12");
  EXPECT_EQ(guide.Talking.caption(), "Not bad at all! :> Are you ready for hit the worm?? (Click here to continue)");
  EXPECT_GE(play.stage, 4);
  EXPECT_EQ(play.misses, 12);
  EXPECT_TRUE(play.loaded());
  EXPECT_FALSE(play.visible());

  // Hidden, the game ticks on and reports nothing.
  game.advance(6000);
  EXPECT_EQ(guide.Talking.caption(), "Not bad at all! :> Are you ready for hit the worm?? (Click here to continue)");
  EXPECT_FALSE(play.visible());

  // Closing the guide brings the farewell; its click unloads the passed game
  // without a report, and the program ends.
  game.close(guide);
  game.click(game.form<screens::Starter>().Talking);
  EXPECT_TRUE(game.endedCleanly()) << game.lastError();
}
