#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "screens/completion/form1.h"
#include "screens/guide/menu.h"
#include "screens/worm/hit.h"
#include "support/game.h"
#include "support/journey.h"

using namespace forms;
using screens::Hit;
using screens::Menu;
using testing_support::Game;

namespace {

const char* const kFailureText = "You have failed the last course!! Try again!! (Click here to continue)";

// The game as the guide hands it over with the allowance "10", before its
// first tick.
class HitGame : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::reachGuide(game);
    testing_support::handOverAt(game, 10);
    ASSERT_TRUE(hit.visible());
  }

  // Runs ticks up to the next picture tick and has it show `picture` (0 the
  // worm apple, 1 the baby) in `hole`.
  void nextPicture(int picture, int hole) {
    if (hit.restnext == True) game.advance(hit.Timer1.interval());
    std::vector<std::uint32_t> bits{std::uint32_t(picture) << 23, std::uint32_t(hole) << 20};
    std::size_t next = 0;
    game.program.runtime().setBitSourceForTesting([bits, next]() mutable { return bits.at(next++); });
    game.advance(hit.Timer1.interval());
    game.program.runtime().setBitSourceForTesting({});
    ASSERT_EQ(hit.shownpic, picture);
    ASSERT_EQ(hit.hitpic(hole).picture(), hit.clipart(picture).picture());
  }

  void expectFailureReported() {
    EXPECT_FALSE(hit.loaded());
    Menu& guide = game.form<Menu>();
    EXPECT_EQ(game.platform.windows(), std::vector<Form*>{&guide});
    EXPECT_EQ(guide.failure.text(), "-1");
    EXPECT_EQ(guide.Talking.caption(), kFailureText);
  }

  void click(int i) { game.click(hit.hitpic(i)); }
  void hitTimes(int n, int hole) {
    for (int i = 0; i < n; ++i) click(hole);
  }

  Game game;
  Hit& hit = game.form<Hit>();
};

}  // namespace

// Protects the judging: only the worm apple, in its own hole while shown, is a hit.
TEST_F(HitGame, AnyClickOffTheShownWormAppleIsAMiss) {
  click(0);  // before the first tick; `hole` is 0 from the start
  EXPECT_EQ(hit.talking.caption(), "Missed!! You have  9 left.");
  EXPECT_TRUE(hit.shake.visible());
  EXPECT_FALSE(hit.nod.visible());
  nextPicture(1, 5);
  click(5);  // the baby in its own hole
  nextPicture(0, 9);
  click(10);  // an empty hole
  game.advance(hit.Timer1.interval());
  ASSERT_EQ(hit.shownpic, -1);
  for (int i = 0; i < 16; ++i) EXPECT_TRUE(hit.hitpic(i).picture().empty()) << i;
  click(9);  // the apple's hole in the rest tick
  EXPECT_EQ(hit.misses, 4);
  EXPECT_EQ(hit.hits, 0);
  EXPECT_EQ(hit.talking.caption(), "Missed!! You have  6 left.");
}

TEST_F(HitGame, TwoHitsAndAMissInOneTickAllCountAndBothHeadsStayUntilTheNextTick) {
  nextPicture(0, 3);
  click(3);
  click(4);
  click(3);
  EXPECT_EQ(hit.hits, 2);
  EXPECT_EQ(hit.misses, 1);
  EXPECT_TRUE(hit.shake.visible() && hit.nod.visible());
  game.advance(hit.Timer1.interval());
  EXPECT_FALSE(hit.shake.visible() || hit.nod.visible());
}

TEST_F(HitGame, EachOfTheFourPraisesFollowsItsDraw) {
  const std::string expected[] = {"Great hit!!", "Wonderful!!", "Wow!! Nice one!", "Perfect hit!!"};
  nextPicture(0, 0);
  for (std::uint32_t draw = 0; draw < 4; ++draw) {
    game.program.runtime().setBitSourceForTesting([draw] { return draw << 22; });
    click(0);
    EXPECT_EQ(hit.talking.caption(), expected[draw]) << draw;
  }
}

// Protects the stages: five hits each, and the timer speeding up to a stop.
TEST_F(HitGame, TheFifthHitPassesAStageAndTheNextPictureComesSooner) {
  nextPicture(0, 6);
  hitTimes(4, 6);
  EXPECT_EQ(hit.stagetext.caption(), "Stage 0");
  click(6);
  EXPECT_EQ(hit.stagetext.caption(), "Stage  1");
  EXPECT_EQ(hit.Timer1.interval(), 900);
  EXPECT_EQ(hit.hits, 0);
  EXPECT_EQ(hit.stage, 1);
  game.advance(899);
  EXPECT_EQ(hit.restnext, True);
  game.advance(1);
  EXPECT_EQ(hit.restnext, False);
}

TEST_F(HitGame, SixteenStagesStopTheTicksAndClicksAreStillJudged) {
  nextPicture(0, 12);
  std::vector<int> intervals;
  for (int stage = 1; stage <= 16; ++stage) {
    hitTimes(5, 12);
    intervals.push_back(hit.Timer1.interval());
  }
  EXPECT_EQ(intervals, (std::vector<int>{900, 800, 700, 600, 500, 400, 300, 200, 100, 50, 25, 12, 6, 3, 1, 0}));
  EXPECT_EQ(hit.stagetext.caption(), "Stage  16");

  game.advance(10 * 60 * 1000);
  EXPECT_EQ(hit.restnext, True);
  EXPECT_EQ(hit.hitpic(12).picture(), hit.clipart(0).picture());
  EXPECT_TRUE(hit.nod.visible());
  click(12);
  EXPECT_EQ(hit.hits, 1);
  click(13);
  EXPECT_EQ(hit.misses, 1);
  EXPECT_EQ(hit.Timer1.interval(), 0);
}

// Protects the end: the tenth miss, and the stage at that moment, decide.
TEST_F(HitGame, TheTenthMissWithThreeStagesFailsTheGame) {
  nextPicture(0, 1);
  hitTimes(15, 1);
  for (int i = 0; i < 9; ++i) click(0);
  EXPECT_EQ(hit.talking.caption(), "Missed!! You have  1 left.");
  ASSERT_TRUE(hit.visible());
  click(0);
  expectFailureReported();
}

TEST_F(HitGame, TwentyHitsPlayOnAt600MsAndTheTenthMissPassesTheGame) {
  nextPicture(0, 15);
  hitTimes(20, 15);
  for (int i = 0; i < 9; ++i) click(14);
  EXPECT_EQ(hit.stage, 4);
  EXPECT_EQ(hit.Timer1.interval(), 600);
  game.advance(600);
  EXPECT_EQ(hit.restnext, False);
  ASSERT_TRUE(hit.visible());

  click(14);
  EXPECT_TRUE(hit.loaded());
  EXPECT_EQ(hit.talking.caption(), "Missed!! You have  0 left.");
  EXPECT_EQ(game.form<Menu>().failure.text(), "10");
  EXPECT_EQ(game.platform.windows(), std::vector<Form*>{&game.form<screens::Form1>()});
}

TEST_F(HitGame, ClosingTheWindowMidGameReportsAFailure) {
  nextPicture(0, 7);
  click(7);
  game.close(hit);
  expectFailureReported();
}

// Protects the grid: each hole where its tile is, and nothing else on the screen takes a click.
TEST_F(HitGame, AClickInEachHoleReachesThatHole) {
  for (int i = 0; i < 16; ++i) {
    const int c = i % 4, r = i / 4;
    nextPicture(0, i);
    game.clickAt(hit, 240 + 1800 * c + 20, 240 + 1680 * r + 20);
    EXPECT_EQ(hit.misses, 0) << i;
  }
  EXPECT_EQ(hit.stage, 3);
  EXPECT_EQ(hit.hits, 1);
}

TEST_F(HitGame, ClicksOnTileBordersTobbleAndTheLabelsChangeNothing) {
  nextPicture(0, 0);
  EXPECT_EQ(hit.pig.picture().name(), "walk frame 0");
  const std::string caption = hit.talking.caption();
  for (int i = 0; i < 16; ++i) {
    const float left = 120 + 1800 * (i % 4), top = 120 + 1680 * (i / 4);
    game.clickAt(hit, left + 60, top + 60);
    game.clickAt(hit, left + 1695 - 60, top + 1575 - 60);
  }
  game.click(hit.pig);
  game.click(hit.talking);
  game.click(hit.stagetext);
  game.clickAt(hit, 7460, 4820);  // the panel behind the stage
  EXPECT_EQ(hit.misses, 0);
  EXPECT_EQ(hit.hits, 0);
  EXPECT_EQ(hit.talking.caption(), caption);
  EXPECT_FALSE(hit.nod.visible() || hit.shake.visible());
  EXPECT_TRUE(game.platform.errors().empty());
}
