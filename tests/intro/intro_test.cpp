#include <gtest/gtest.h>

#include "guide/menu.h"
#include "intro/starter.h"
#include "support/game.h"

using namespace forms;
using screens::Menu;
using screens::Starter;
using testing_support::Game;

// Protects the walk: frames ping-pong and Tobble stops at the middle.
TEST(IntroWalk, ThirtyFourTicksBringTobbleTo3920AndHeKeepsTreading) {
  Game game;
  game.start();
  Starter& intro = game.form<Starter>();
  EXPECT_TRUE(intro.visible());
  EXPECT_TRUE(intro.Pig.picture().empty());
  std::vector<int> frames;
  for (int tick = 1; tick <= 40; ++tick) {
    game.advance(500);
    frames.push_back(intro.Pig.picture().name().back() - '0');
    if (tick == 34) {
      EXPECT_EQ(intro.Pig.left(), 3920.0f);
    }
  }
  EXPECT_EQ(intro.Pig.left(), 3920.0f);
  std::vector<int> expected{0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1};
  EXPECT_EQ(std::vector<int>(frames.begin(), frames.begin() + 12), expected);
  EXPECT_EQ(intro.Pig.rect().width, 1275.0f);
}

TEST(IntroMonologue, FourClicksHideTheIntroAndShowTheGuide) {
  Game game;
  game.start();
  Starter& intro = game.form<Starter>();
  game.click(intro.start);
  EXPECT_FALSE(intro.start.visible());
  EXPECT_TRUE(intro.Talking.visible());
  game.click(intro.Talking);
  EXPECT_EQ(intro.Talking.caption(),
            "Where am I going? I am going to my school!  It is a small Christian school!");
  game.click(intro.Talking);
  game.click(intro.Talking);
  game.click(intro.Talking);
  EXPECT_FALSE(intro.visible());
  EXPECT_TRUE(intro.loaded());
  EXPECT_TRUE(game.visible(FormId::menu));
  EXPECT_EQ(intro.talkstep, 5);
}
