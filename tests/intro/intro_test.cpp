#include <gtest/gtest.h>

#include <set>

#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "support/game.h"
#include "support/journey.h"

using namespace forms;
using screens::Menu;
using screens::Starter;
using testing_support::Game;

namespace {
int frameOf(const Image& image) { return image.picture().empty() ? -1 : image.picture().name().back() - '0'; }
}  // namespace

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
    frames.push_back(frameOf(intro.Pig));
    if (tick == 33) {
      EXPECT_EQ(intro.Pig.left(), 4020.0f);
    }
  }
  EXPECT_EQ(intro.Pig.left(), 3920.0f);
  std::vector<int> expected{0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1};
  EXPECT_EQ(std::vector<int>(frames.begin(), frames.begin() + 12), expected);
  EXPECT_EQ(std::vector<int>(frames.end() - 6, frames.end()), (std::vector<int>{2, 1, 0, 1, 2, 3}));
  EXPECT_EQ(intro.Pig.rect().width, 1275.0f);
}

TEST(IntroWalk, APigStandingAtExactly4000DoesNotMove) {
  Game game;
  game.start();
  Starter& intro = game.form<Starter>();
  intro.Pig.setLeft(4000);
  game.advance(5000);
  EXPECT_EQ(intro.Pig.left(), 4000.0f);
}

TEST(IntroWalk, TheWalkGoesOnWhileTheIntroIsHidden) {
  Game game;
  testing_support::reachGuide(game);
  Starter& intro = game.form<Starter>();
  game.advance(20000);
  EXPECT_EQ(intro.Pig.left(), 3920.0f);
}

// Protects the monologue, the farewell and the departure to the guide.
TEST(IntroMonologue, TheBubbleIsClosedUntilStartAndStartWorksOnce) {
  Game game;
  game.start();
  Starter& intro = game.form<Starter>();
  game.clickAt(intro, 4000, 3600);  // where the speech will be
  EXPECT_EQ(intro.talkstep, 1);
  game.click(intro.start);
  EXPECT_FALSE(intro.start.visible());
  EXPECT_FALSE(intro.start.enabled());
  EXPECT_TRUE(intro.Talking.visible());
  EXPECT_TRUE(intro.talkframe.visible());
  game.click(intro.start);
  EXPECT_EQ(intro.talkstep, 1);
}

TEST(IntroMonologue, FourClicksSayGoodbyeHideTheIntroAndShowTheGuide) {
  Game game;
  game.start();
  Starter& intro = game.form<Starter>();
  game.click(intro.start);
  game.click(intro.Talking);
  EXPECT_EQ(intro.Talking.caption(),
            "Where am I going? I am going to my school!  It is a small Christian school!");
  game.click(intro.Talking);
  EXPECT_EQ(intro.Talking.caption(),
            "Yeah! My classes are really fun! We play learn together and play games all day!! :>");
  game.click(intro.Talking);
  EXPECT_EQ(intro.Talking.caption(), "OOOOh!!! Got to run!! Or I will be late to class!!");
  game.click(intro.Talking);
  EXPECT_FALSE(intro.visible());
  EXPECT_TRUE(intro.loaded());
  EXPECT_TRUE(game.visible(FormId::menu));
  EXPECT_EQ(intro.talkstep, 5);
  EXPECT_NE(intro.Talking.caption().find("(Click here again to Exit)"), std::string::npos);
}

TEST(IntroMonologue, EachOfTheSixFarewellsIsReachedAsTheClockMoves) {
  std::set<std::string> seen;
  for (int second = 0; second < 200 && seen.size() < 6; ++second) {
    Game game(8 * 3600.0 + second * 0.37);
    testing_support::reachGuide(game);
    seen.insert(game.form<Starter>().Talking.caption());
  }
  std::set<std::string> all;
  for (int n = 1; n <= 6; ++n) all.insert(std::string(screens::farewell(n)));
  EXPECT_EQ(seen, all);
  for (const std::string& text : all) {
    EXPECT_TRUE(text.ends_with(" (Click here again to Exit)")) << text;
  }
  EXPECT_TRUE(screens::farewell(2).starts_with("Remember, "));
  EXPECT_TRUE(screens::farewell(6).ends_with(" :> All praise to him and the almighty God! (Click here again to Exit)"));
}

TEST(IntroMonologue, TheGuidesTobbleIsWalkFrameZero) {
  Game game;
  testing_support::reachGuide(game);
  EXPECT_EQ(game.form<Menu>().pig.picture(), game.form<Starter>().Pigwalk(0).picture());
  EXPECT_FALSE(game.form<Menu>().pig.picture().empty());
}

// Protects the two ways out of the intro screen.
TEST(IntroExit, ClosingTheIntroAtOnceCreatesTheThreeItUnloadsAndEndsTheProgram) {
  Game game;
  game.start();
  game.close(game.form<Starter>());
  EXPECT_TRUE(game.endedCleanly());
  for (FormId id : {FormId::starter, FormId::patternform, FormId::menu, FormId::carder}) {
    ASSERT_NE(game.find(id), nullptr) << formName(id);
    EXPECT_EQ(game.find(id)->state(), FormState::Created) << formName(id);
  }
  EXPECT_EQ(game.find(FormId::hit), nullptr);
  EXPECT_EQ(game.find(FormId::Form1), nullptr);
  EXPECT_EQ(game.platform.runningTimers(), 0);
}

TEST(IntroExit, TheClickOnTheFarewellAfterTheGuideIsClosedEndsTheProgram) {
  Game game;
  testing_support::reachGuide(game);
  game.close(game.form<Menu>());
  Starter& intro = game.form<Starter>();
  EXPECT_TRUE(intro.visible());
  EXPECT_EQ(intro.talkstep, 5);
  game.click(intro.Talking);
  EXPECT_TRUE(game.endedCleanly());
  EXPECT_EQ(intro.talkstep, 6) << "counted after the intro unloaded itself";
}

TEST(IntroExit, TalkstepPast32767IsAnOverflowThatEndsTheProgramWithOneReport) {
  Game game;
  game.start();
  Starter& intro = game.form<Starter>();
  game.click(intro.start);
  intro.talkstep = 32767;
  game.click(intro.Talking);
  EXPECT_EQ(intro.talkstep, 32767);
  EXPECT_TRUE(game.ended());
  EXPECT_EQ(game.program.exitCode(), 1);
  EXPECT_EQ(game.platform.errors().size(), 1u);
  EXPECT_NE(game.lastError().find("Overflow"), std::string::npos);
}
