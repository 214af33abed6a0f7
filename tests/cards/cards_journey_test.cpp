#include <gtest/gtest.h>

#include "screens/cards/carder.h"
#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "support/cards_player.h"
#include "support/journey.h"

using namespace forms;
using screens::Carder;
using screens::Menu;
using screens::Starter;
using testing_support::Game;

// Protects the road through the real screens into Pick the Cards and out of
// it again, passed or failed, to the end of the program.

TEST(CardsJourney, APassedGameLeadsBackToTheGuideAndStaysSilentWhenTheProgramEnds) {
  Game game;
  testing_support::reachGuide(game);
  Menu& guide = game.form<Menu>();
  for (int n = 0; n < 5; ++n) game.click(guide.Talking);
  EXPECT_FALSE(game.loaded(FormId::carder));
  game.click(guide.Talking);
  ASSERT_TRUE(game.visible(FormId::carder));
  EXPECT_FALSE(guide.visible());
  EXPECT_EQ(guide.failure.text(), "15");

  testing_support::winCards(game);
  EXPECT_TRUE(guide.visible());
  EXPECT_TRUE(game.loaded(FormId::carder));
  EXPECT_FALSE(game.visible(FormId::carder));
  EXPECT_EQ(guide.talkstep, 6);
  EXPECT_EQ(guide.Talking.caption(),
            "Welcome back!!  It's time for our next lesson - follow the pattern! (Click here to Continue)");

  // Leaving the lesson now unloads the passed game on the way out; it has
  // nothing to report, so the farewell's click ends the program.
  game.close(guide);
  Starter& intro = game.form<Starter>();
  ASSERT_TRUE(intro.visible());
  game.click(intro.Talking);
  EXPECT_TRUE(game.endedCleanly()) << game.lastError();
}
