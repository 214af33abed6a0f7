#include "support/game.h"

namespace testing_support {

Game::Game(double secondsSinceMidnight)
    : platform(secondsSinceMidnight), program(platform, assets::pictureInfos()) {
  platform.attach(program);
  screens::installScreens(program);
}

}  // namespace testing_support
