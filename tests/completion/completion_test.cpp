#include <gtest/gtest.h>

#include "screens/completion/form1.h"
#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "support/game.h"
#include "support/journey.h"
#include "support/worm_player.h"

using namespace forms;
using screens::Form1;
using screens::Starter;
using testing_support::Game;

namespace {
struct Completion : ::testing::Test {
  Game game;
  Completion() {
    testing_support::reachGuide(game);
    testing_support::handOverAt(game, 10);
    testing_support::winWorm(game);
  }
  Form1& done() { return game.form<Form1>(); }
  void expectOnlyTheIntroLeft() {
    for (FormId id : {FormId::menu, FormId::carder, FormId::patternform, FormId::hit, FormId::Form1}) {
      EXPECT_FALSE(game.loaded(id)) << formName(id);
    }
    Starter& intro = game.form<Starter>();
    EXPECT_TRUE(intro.visible());
    EXPECT_EQ(game.platform.frontWindow(), &intro);
    EXPECT_EQ(game.platform.windows().size(), 1u);
    EXPECT_EQ(intro.talkstep, 5);
  }
};
}  // namespace

// Protects the way out of a completed lesson.
TEST_F(Completion, OnlyTheContinueLineTakesAClick) {
  ASSERT_TRUE(done().visible());
  for (const ControlRef* control :
       std::initializer_list<const ControlRef*>{&done().Label5, &done().Label3, &done().Label2, &done().Label1,
                                                &done().Shape1}) {
    game.click(*control);
  }
  EXPECT_TRUE(done().visible());
  EXPECT_FALSE(game.visible(FormId::starter));
}

TEST_F(Completion, ContinueClosesTheLessonAndLeavesTheIntroWithItsFarewell) {
  game.click(done().Label4);
  expectOnlyTheIntroLeft();
  game.click(game.form<Starter>().Talking);
  EXPECT_TRUE(game.endedCleanly());
}

TEST_F(Completion, ClosingTheWindowIsTheSameWayOutAsContinue) {
  game.close(done());
  expectOnlyTheIntroLeft();
  game.click(game.form<Starter>().Talking);
  EXPECT_TRUE(game.endedCleanly());
}
