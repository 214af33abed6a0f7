#include <gtest/gtest.h>

#include "screens/cards/carder.h"
#include "screens/completion/form1.h"
#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "screens/pattern/patternform.h"
#include "screens/worm/hit.h"
#include "support/cards_player.h"
#include "support/game.h"
#include "support/journey.h"
#include "support/pattern_player.h"
#include "support/worm_player.h"

using namespace forms;
using namespace screens;
using namespace testing_support;

namespace {

constexpr const char* kFailedClass =
    "Sowwy, you have failed this class, try again next time! (Click here to continue)";
constexpr const char* kFailedCourse = "You have failed the last course!! Try again!! (Click here to continue)";

// Clicks the guide until the hand-over to the next game.
void clickGuideTo(Game& game, int step) {
  Menu& guide = game.form<Menu>();
  while (guide.talkstep <= step && guide.visible()) game.click(guide.Talking);
}

// From the guide showing a failure: its click, then the farewell's click.
void finishAfterFailure(Game& game, const char* failureText) {
  Menu& guide = game.form<Menu>();
  ASSERT_TRUE(guide.visible());
  EXPECT_EQ(guide.failure.text(), "-1");
  EXPECT_EQ(guide.Talking.caption(), failureText);
  game.click(guide.Talking);
  EXPECT_FALSE(guide.loaded());
}

void finishAtTheFarewell(Game& game) {
  Starter& intro = game.form<Starter>();
  ASSERT_TRUE(intro.visible());
  EXPECT_EQ(game.platform.windows().size(), 1u) << "the intro is the only window";
  EXPECT_EQ(intro.talkstep, 5);
  EXPECT_TRUE(intro.Talking.caption().ends_with("(Click here again to Exit)"));
  game.click(intro.Talking);
}

void expectEnded(Game& game) {
  EXPECT_TRUE(game.endedCleanly());
  EXPECT_TRUE(game.platform.errors().empty()) << game.lastError();
  EXPECT_EQ(game.platform.runningTimers(), 0);
  EXPECT_EQ(game.program.reentrantEvents(), 0u);
}

enum class Loss { UsingUpTheAllowance, ClosingTheWindow };

void lose(Game& game, Form& screen, Loss how, void (*player)(Game&)) {
  if (how == Loss::ClosingTheWindow) {
    game.advance(1300);
    game.close(screen);
  } else {
    player(game);
  }
  EXPECT_FALSE(screen.loaded());
}

class Journeys : public ::testing::TestWithParam<Loss> {};

}  // namespace

// Protects every way through the program, each from start-up to its end.
TEST(QuitAtTheStart, ClosingTheIntroBeforeOrAfterStartOrMidMonologueEndsTheProgram) {
  for (int clicks = -1; clicks <= 3; ++clicks) {
    Game game;
    game.start();
    Starter& intro = game.form<Starter>();
    game.advance(3000);
    if (clicks >= 0) game.click(intro.start);
    for (int i = 0; i < clicks; ++i) game.click(intro.Talking);
    game.close(intro);
    expectEnded(game);
    EXPECT_EQ(game.find(FormId::hit), nullptr);
  }
}

TEST(GuideClosedEarly, ClosingTheGuideAtAnyStepBeforeTheFirstGameReturnsToTheFarewell) {
  for (int clicks = 0; clicks <= 5; ++clicks) {
    Game game;
    reachGuide(game);
    Menu& guide = game.form<Menu>();
    for (int i = 0; i < clicks; ++i) game.click(guide.Talking);
    game.close(guide);
    finishAtTheFarewell(game);
    expectEnded(game);
  }
}

TEST_P(Journeys, FirstGameFailed) {
  Game game;
  reachGuide(game);
  clickGuideTo(game, 5);
  lose(game, game.form<Carder>(), GetParam(), loseCards);
  finishAfterFailure(game, kFailedClass);
  finishAtTheFarewell(game);
  expectEnded(game);
}

TEST_P(Journeys, SecondGameFailedWithThePassedCardGameStillLoaded) {
  Game game;
  reachGuide(game);
  clickGuideTo(game, 5);
  winCards(game);
  EXPECT_TRUE(game.loaded(FormId::carder));
  clickGuideTo(game, 8);
  lose(game, game.form<Patternform>(), GetParam(), losePattern);
  finishAfterFailure(game, kFailedClass);
  finishAtTheFarewell(game);
  expectEnded(game);
}

TEST_P(Journeys, LastGameFailedWithBothPassedGamesStillLoaded) {
  Game game;
  reachGuide(game);
  clickGuideTo(game, 5);
  winCards(game);
  clickGuideTo(game, 8);
  winPattern(game);
  clickGuideTo(game, 10);
  lose(game, game.form<Hit>(), GetParam(), loseWorm);
  finishAfterFailure(game, kFailedCourse);
  game.advance(10000);  // the passed games tick on, hidden, and stay quiet
  finishAtTheFarewell(game);
  expectEnded(game);
}

INSTANTIATE_TEST_SUITE_P(, Journeys, ::testing::Values(Loss::UsingUpTheAllowance, Loss::ClosingTheWindow),
                         [](const auto& info) {
                           return info.param == Loss::ClosingTheWindow ? "ByClosingItsWindow" : "ByUsingUpTheAllowance";
                         });

TEST(GuideClosedAfterAPassedGame, EveryStepBetweenTheGamesReturnsToTheFarewell) {
  for (bool afterThePattern : {false, true}) {
    for (int clicks : {0, 1, 2}) {
      if (afterThePattern && clicks == 2) continue;  // the second click leaves for the last game
      Game game;
      reachGuide(game);
      clickGuideTo(game, 5);
      winCards(game);
      if (afterThePattern) {
        clickGuideTo(game, 8);
        winPattern(game);
      }
      Menu& guide = game.form<Menu>();
      for (int i = 0; i < clicks; ++i) game.click(guide.Talking);
      ASSERT_TRUE(guide.visible());
      game.close(guide);
      finishAtTheFarewell(game);
      expectEnded(game);
    }
  }
}

TEST(AllPassed, TheCompletionScreenLeadsToTheFarewellAndOneClickEndsTheProgram) {
  for (bool closeTheWindow : {false, true}) {
    Game game;
    reachGuide(game);
    clickGuideTo(game, 5);
    winCards(game);
    EXPECT_EQ(game.form<Menu>().talkstep, 6);
    clickGuideTo(game, 8);
    winPattern(game);
    EXPECT_EQ(game.form<Menu>().talkstep, 9);
    clickGuideTo(game, 10);
    winWorm(game);
    Form1& done = game.form<Form1>();
    ASSERT_TRUE(done.visible());
    if (closeTheWindow) {
      game.close(done);
    } else {
      game.click(done.Label4);
    }
    for (FormId id : {FormId::menu, FormId::carder, FormId::patternform, FormId::hit, FormId::Form1}) {
      EXPECT_FALSE(game.loaded(id)) << formName(id);
    }
    finishAtTheFarewell(game);
    expectEnded(game);
  }
}
