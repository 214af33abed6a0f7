#include "random_play.h"

#include "assets/catalogue.h"
#include "screens/screens.h"

namespace bench {

RandomPlay::Game::Game(double secondsSinceMidnight)
    : platform(secondsSinceMidnight), program(platform, assets::pictureInfos()) {
  platform.attach(program);
  screens::installScreens(program);
}

RandomPlay::RandomPlay(std::uint32_t seed) : rng_(seed) { newGame(); }

RandomPlay::~RandomPlay() = default;

void RandomPlay::newGame() {
  // The time of day seeds the game's own random numbers.
  game_ = std::make_unique<Game>(std::uniform_real_distribution<double>(0, 86399)(rng_));
  game_->program.start();
}

void RandomPlay::endGame() {
  ++stats_.games;
  stats_.events += game_->program.eventsHandled();
  if (game_->program.exitCode() != 0) {
    ++stats_.errors;
    if (stats_.firstError.empty() && !game_->platform.errors().empty()) stats_.firstError = game_->platform.errors()[0];
  }
}

RandomPlay::Stats RandomPlay::stats() const {
  Stats now = stats_;
  now.events += game_->program.eventsHandled();
  return now;
}

void RandomPlay::play(std::uint64_t inputs) {
  for (std::uint64_t i = 0; i < inputs; ++i) {
    oneInput();
    if (game_->program.ended()) {
      endGame();
      newGame();
    } else if (!game_->platform.frontWindow() && !game_->platform.nextTick()) {
      // Nothing on screen and nothing that could ever put it back.
      ++stats_.stuck;
      stats_.events += game_->program.eventsHandled();
      newGame();
    }
  }
}

void RandomPlay::oneInput() {
  ++stats_.inputs;
  headless::HeadlessPlatform& platform = game_->platform;
  // Closes are rare, so that games get past the intro often enough.
  const int kind = std::uniform_int_distribution<int>(0, 999)(rng_);
  forms::Form* front = platform.frontWindow();
  if (front) ++stats_.inputsOn[static_cast<std::size_t>(front->id())];
  if (kind < 600 && front) {
    const forms::FormSpec& spec = front->spec();
    const float x = std::uniform_real_distribution<float>(0, static_cast<float>(spec.clientWidth))(rng_);
    const float y = std::uniform_real_distribution<float>(0, static_cast<float>(spec.clientHeight))(rng_);
    platform.clickAt(*front, {x, y});
  } else if (kind < 605 && front) {
    platform.close(*front);
  } else {
    platform.advance(std::uniform_int_distribution<int>(0, 2000)(rng_));
  }
}

}  // namespace bench
