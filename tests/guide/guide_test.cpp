#include <gtest/gtest.h>

#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "support/game.h"
#include "support/journey.h"

using namespace forms;
using screens::Menu;
using screens::Starter;
using testing_support::Game;

namespace {
struct Guide : ::testing::Test {
  Game game;
  Menu& guide = game.form<Menu>();
  Guide() { testing_support::reachGuide(game); }
};
}  // namespace

// Protects the guide's steps and its hand-overs to the three games.
TEST_F(Guide, TheFirstClickChangesNothingAndTheSecondShowsStepOne) {
  const std::string welcome = guide.Talking.caption();
  EXPECT_EQ(welcome, "Welcome to the school! Here is the lesson for today! (Click here to continue)");
  game.click(guide.Talking);
  EXPECT_EQ(guide.Talking.caption(), welcome);
  EXPECT_EQ(guide.talkstep, 1);
  game.click(guide.Talking);
  EXPECT_EQ(guide.Talking.caption(), "To end the class right now, click the X button on top right!");
}

TEST_F(Guide, TheBarAlongTheBoardTakesNoClick) {
  EXPECT_FALSE(guide.Command1.enabled());
  game.click(guide.Command1);
  EXPECT_EQ(guide.talkstep, 0);
  EXPECT_TRUE(guide.visible());
}

TEST_F(Guide, EachHandOverWritesItsAllowanceHidesTheGuideAndShowsItsGame) {
  struct Step {
    int talkstep;
    const char* allowance;
    FormId game;
    const char* caption;
  };
  for (const Step& step : {
           Step{5, "15", FormId::carder,
                "Welcome back!!  It's time for our next lesson - follow the pattern! (Click here to Continue)"},
           Step{8, "12", FormId::patternform,
                "Not bad at all! :> Are you ready for hit the worm?? (Click here to continue)"},
           Step{10, "10", FormId::hit, "You have 10 trys and you must pass up to stage 4! Good luck! :>"},
       }) {
    Game fresh;
    testing_support::reachGuide(fresh);
    testing_support::handOverAt(fresh, step.talkstep);
    Menu& g = fresh.form<Menu>();
    EXPECT_EQ(g.failure.text(), step.allowance);
    EXPECT_EQ(g.Talking.caption(), step.caption) << "the text waits in the hidden guide";
    EXPECT_FALSE(g.visible());
    EXPECT_TRUE(fresh.visible(step.game));
    EXPECT_EQ(g.talkstep, step.talkstep + 1);
  }
}

TEST_F(Guide, AClickFindingMinusOneUnloadsTheGuideWhateverTheStepAndStillCounts) {
  guide.talkstep = 3;
  guide.failure.setText("-1");
  game.click(guide.Talking);
  EXPECT_FALSE(guide.loaded());
  EXPECT_EQ(guide.talkstep, 4);
  EXPECT_TRUE(game.form<Starter>().visible());
}

TEST_F(Guide, TalkstepSurvivesAnUnloadAndAReloadStartsFromTheLayout) {
  for (int i = 0; i < 3; ++i) game.click(guide.Talking);
  guide.failure.setText("15");
  game.close(guide);
  EXPECT_FALSE(guide.loaded());
  EXPECT_EQ(guide.talkstep, 3);
  guide.show();
  EXPECT_EQ(guide.failure.text(), "0");
  EXPECT_EQ(guide.Talking.caption(), "Welcome to the school! Here is the lesson for today! (Click here to continue)");
  game.click(guide.Talking);
  EXPECT_EQ(guide.Talking.caption(),
            "All the cards are originally faced down, you will be allowed to open two cards at one turn.");
}

TEST_F(Guide, AfterStepTenEveryClickOnlyCounts) {
  guide.talkstep = 11;
  const std::string caption = guide.Talking.caption();
  game.click(guide.Talking);
  game.click(guide.Talking);
  EXPECT_EQ(guide.Talking.caption(), caption);
  EXPECT_EQ(guide.talkstep, 13);
  EXPECT_TRUE(guide.visible());
}

TEST_F(Guide, ClosingTheGuideShowsTheIntroWithItsFarewell) {
  game.close(guide);
  Starter& intro = game.form<Starter>();
  EXPECT_TRUE(intro.visible());
  EXPECT_EQ(intro.talkstep, 5);
  EXPECT_NE(intro.Talking.caption().find("(Click here again to Exit)"), std::string::npos);
}
