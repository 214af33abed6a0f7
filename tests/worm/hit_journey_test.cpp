#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screens/completion/form1.h"
#include "screens/guide/menu.h"
#include "screens/intro/starter.h"
#include "screens/worm/hit.h"
#include "support/game.h"
#include "support/journey.h"
#include "support/worm_player.h"

using namespace forms;
using screens::Form1;
using screens::Menu;
using screens::Starter;
using testing_support::Game;

namespace {

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

// Protects the end of the lesson: from the worm game to the farewell and out.
TEST(HitJourney, APassedWormGameLeadsThroughTheCompletionScreenToTheFarewell) {
  Game game;
  testing_support::reachGuide(game);
  testing_support::handOverAt(game, 10);
  testing_support::winWorm(game);
  Form1& completion = game.form<Form1>();
  ASSERT_TRUE(completion.visible());
  EXPECT_GE(game.form<screens::Hit>().stage, 4);

  game.click(completion.Label4);
  for (FormId id : {FormId::menu, FormId::carder, FormId::patternform, FormId::hit, FormId::Form1}) {
    EXPECT_FALSE(game.loaded(id)) << formName(id);
  }
  Starter& intro = game.form<Starter>();
  EXPECT_EQ(game.platform.windows(), std::vector<Form*>{&intro});
  EXPECT_TRUE(endsWith(intro.Talking.caption(), "(Click here again to Exit)")) << intro.Talking.caption();

  game.click(intro.Talking);
  EXPECT_TRUE(game.endedCleanly());
  EXPECT_TRUE(game.platform.errors().empty());
}
