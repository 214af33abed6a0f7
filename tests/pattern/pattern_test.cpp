#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "screens/guide/menu.h"
#include "screens/pattern/patternform.h"
#include "support/game.h"
#include "support/journey.h"

using namespace forms;
using screens::Menu;
using screens::Patternform;
using testing_support::Game;

namespace {

const char* const kFailureText = "Sowwy, you have failed this class, try again next time! (Click here to continue)";

// The game as the guide hands it over, before its first tick.
Patternform& patternOnScreen(Game& game) {
  testing_support::reachGuide(game);
  testing_support::handOverAt(game, 8);
  return game.form<Patternform>();
}

void setPattern(Patternform& play, std::initializer_list<int> steps) {
  int i = 0;
  for (int step : steps) play.pattern[i++] = step;
  play.pattern[i] = Patternform::kEndMarker;
}

// The buttons lit now, as a string of their indices.
std::string lit(Patternform& play) {
  std::string s;
  for (int i = 0; i <= 3; ++i) {
    if (play.cover(i).visible()) s += std::to_string(i);
  }
  return s;
}

void advanceUntilInput(Game& game, Patternform& play) {
  for (int tick = 0; tick < 100 && play.clickson != True; ++tick) game.advance(600);
  ASSERT_EQ(play.clickson, True);
}

// Clicks the right buttons through the rest of the current pattern.
void completeStage(Game& game, Patternform& play) {
  advanceUntilInput(game, play);
  const int stage = play.stage;
  for (int i = 0; i <= 30 && play.stage == stage; ++i) game.click(play.clipart(play.pattern[play.clickpos]));
  ASSERT_EQ(play.stage, stage + 1);
}

}  // namespace

// Protects the playback: when the lights come, and that clicks wait for it.
TEST(PatternPlayback, StepsLightAtOddTicksAndClicksCountOnlyFromTheNinth) {
  Game game;
  Patternform& play = patternOnScreen(game);
  setPattern(play, {2, 0, 3, 1});
  EXPECT_EQ(play.talking.caption(), "Remember the pattern!!");
  const std::string expected[] = {"2", "", "0", "", "3", "", "1", ""};
  for (int tick = 0; tick <= 8; ++tick) {
    // Before the first tick and during every showing or dark tick, a click
    // changes nothing at all.
    std::string before = play.talking.caption();
    game.click(play.clipart(tick % 4));
    EXPECT_EQ(play.talking.caption(), before);
    EXPECT_EQ(lit(play), tick == 0 ? "" : expected[tick - 1]) << "tick " << tick;
    EXPECT_FALSE(play.nod.visible() || play.shake.visible());
    EXPECT_EQ(play.clickpos, 0);
    EXPECT_EQ(play.misses, 0);
    if (tick < 8) {
      game.advance(600);
      EXPECT_EQ(play.talking.caption(), "Remember the pattern!") << "tick " << tick + 1;
    }
  }
  game.advance(600);  // 5.4 s
  EXPECT_EQ(play.talking.caption(), "Repeat the pattern pls!");
  game.click(play.clipart(2));
  EXPECT_EQ(play.talking.caption(), "Right!");
  EXPECT_EQ(play.clickpos, 1);
}

TEST(PatternPlayback, AButtonThatFollowsItselfGoesDarkBetweenItsLights) {
  Game game;
  Patternform& play = patternOnScreen(game);
  setPattern(play, {1, 1, 1, 0});
  std::string seen;
  for (int tick = 0; tick < 7; ++tick) {
    game.advance(600);
    seen += lit(play).empty() ? "." : lit(play);
  }
  EXPECT_EQ(seen, "1.1.1.0");
}

TEST(PatternPlayback, ACompletedStageRestsOneTickThenShowsALongerPattern) {
  Game game;
  Patternform& play = patternOnScreen(game);
  setPattern(play, {3, 3, 3, 3});
  advanceUntilInput(game, play);
  // After a tick that only darkens, so that the rest must come from the stage.
  game.advance(600);
  for (int i = 0; i < 4; ++i) game.click(play.clipart(3));
  EXPECT_EQ(play.stage, 1);
  EXPECT_EQ(play.Stagetext.caption(), "Stage  1");
  EXPECT_EQ(play.pattern[5], Patternform::kEndMarker);
  int first = play.pattern[0];

  game.advance(600);  // the rest tick
  EXPECT_EQ(lit(play), "");
  EXPECT_EQ(play.talking.caption(), "Right!");
  game.click(play.clipart(first));
  EXPECT_EQ(lit(play), "");
  EXPECT_EQ(play.clickpos, 0);

  game.advance(600);
  EXPECT_EQ(lit(play), std::to_string(first));
  EXPECT_EQ(play.talking.caption(), "Remember the pattern!");
}

// Protects the judging of clicks and the tries left.
TEST(PatternAnswers, AWrongClickNeedNotBeMadeGoodAndStillUsesUpItsStep) {
  Game game;
  Patternform& play = patternOnScreen(game);
  setPattern(play, {2, 0, 3, 1});
  advanceUntilInput(game, play);

  game.click(play.clipart(1));
  EXPECT_EQ(play.talking.caption(), "Wrong pattern!  11 trys left.");
  EXPECT_TRUE(play.shake.visible());
  EXPECT_EQ(lit(play), "1");
  for (int button : {0, 3, 1}) {
    EXPECT_EQ(play.stage, 0);
    game.click(play.clipart(button));
    EXPECT_EQ(play.talking.caption(), "Right!");
    EXPECT_TRUE(play.nod.visible());
    EXPECT_EQ(lit(play), std::to_string(button));
  }
  EXPECT_EQ(play.stage, 1);
  EXPECT_EQ(play.misses, 1);
  EXPECT_EQ(play.Stagetext.caption(), "Stage  1");
}

TEST(PatternAnswers, TwoClicksInOneTickAreBothJudged) {
  Game game;
  Patternform& play = patternOnScreen(game);
  setPattern(play, {2, 0, 3, 1});
  advanceUntilInput(game, play);
  game.click(play.clipart(2));
  game.click(play.clipart(3));
  EXPECT_EQ(play.clickpos, 2);
  EXPECT_EQ(play.misses, 1);
  EXPECT_EQ(lit(play), "3");
}

// Protects the end of the game: pass or failure by the allowance and stage.
TEST(PatternEnd, UsingUpTheAllowanceFailsBeforeStageFourAndPassesFromIt) {
  for (int stage : {0, 3, 4, 9}) {
    Game game;
    Patternform& play = patternOnScreen(game);
    advanceUntilInput(game, play);
    play.stage = stage;
    play.misses = 11;
    game.click(play.clipart((play.pattern[0] + 1) % 4));
    Menu& guide = game.form<Menu>();
    EXPECT_TRUE(guide.visible()) << "stage " << stage;
    if (stage < 4) {
      EXPECT_FALSE(play.loaded());
      EXPECT_EQ(guide.failure.text(), "-1");
      EXPECT_EQ(guide.Talking.caption(), kFailureText);
    } else {
      EXPECT_TRUE(play.loaded());
      EXPECT_FALSE(play.visible());
      EXPECT_EQ(play.talking.caption(), "Wrong pattern!  0 trys left.");
      EXPECT_EQ(guide.failure.text(), "12");
      EXPECT_EQ(guide.Talking.caption(),
                "Not bad at all! :> Are you ready for hit the worm?? (Click here to continue)");
    }
    EXPECT_EQ(play.stage, stage);
  }
}

TEST(PatternEnd, TheLastWrongClickOnTheFourthPatternsLastStepFails) {
  Game game;
  Patternform& play = patternOnScreen(game);
  advanceUntilInput(game, play);
  play.stage = 3;
  play.misses = 11;
  setPattern(play, {0, 1, 2, 3});
  for (int button : {0, 1, 2}) game.click(play.clipart(button));
  game.click(play.clipart(0));
  EXPECT_FALSE(play.loaded());
  EXPECT_EQ(play.stage, 3);
  EXPECT_EQ(game.form<Menu>().failure.text(), "-1");
}

TEST(PatternEnd, ClosingTheWindowFailsEvenAfterFourStages) {
  Game game;
  Patternform& play = patternOnScreen(game);
  play.stage = 5;
  game.close(play);
  EXPECT_FALSE(play.loaded());
  EXPECT_EQ(game.form<Menu>().failure.text(), "-1");
  EXPECT_EQ(game.form<Menu>().Talking.caption(), kFailureText);
}

// Protects the patterns themselves: their length and their buttons.
TEST(PatternMaking, EveryPatternHoldsItsStepsOfButtonsThenTheMarker) {
  bool seen[4] = {};
  for (int seed = 0; seed < 40; ++seed) {
    Game game(3600.0 * 8 + seed * 37.3);
    Patternform& play = patternOnScreen(game);
    for (int stage = 0; stage < 3; ++stage) {
      const int steps = stage + 4;
      for (int i = 0; i < steps; ++i) {
        ASSERT_TRUE(play.pattern[i] >= 0 && play.pattern[i] <= 3) << play.pattern[i];
        seen[play.pattern[i]] = true;
      }
      ASSERT_EQ(play.pattern[steps], Patternform::kEndMarker) << "seed " << seed << " stage " << stage;
      completeStage(game, play);
    }
  }
  EXPECT_TRUE(seen[0] && seen[1] && seen[2] && seen[3]);
}

TEST(PatternMaking, AChildWhoNeverMissesPlaysOnPastStageTwentySeven) {
  Game game;
  Patternform& play = patternOnScreen(game);
  while (play.stage < 30) {
    int steps = std::min(play.stage + 4, 30);
    ASSERT_EQ(play.pattern[steps], Patternform::kEndMarker) << "stage " << play.stage;
    completeStage(game, play);
  }
  EXPECT_TRUE(game.platform.errors().empty()) << game.lastError();
  EXPECT_TRUE(play.visible());
  EXPECT_EQ(play.Stagetext.caption(), "Stage  30");
  EXPECT_EQ(play.misses, 0);
}
