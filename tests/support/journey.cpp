#include "support/journey.h"

#include "screens/guide/menu.h"
#include "screens/intro/starter.h"

namespace testing_support {

void reachGuide(Game& game) {
  game.start();
  auto& intro = game.form<screens::Starter>();
  game.click(intro.start);
  for (int i = 0; i < 4; ++i) game.click(intro.Talking);
}

void handOverAt(Game& game, int step) {
  auto& guide = game.form<screens::Menu>();
  guide.talkstep = step;
  game.click(guide.Talking);
}

}  // namespace testing_support
