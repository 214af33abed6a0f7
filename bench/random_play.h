#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "forms/forms.h"
#include "headless/headless_platform.h"

namespace bench {

// A child who clicks anywhere, closes windows and waits at random, on the
// headless platform, starting a new game whenever the program ends.
class RandomPlay {
 public:
  struct Stats {
    std::uint64_t inputs = 0;  // clicks, closes and waits
    std::uint64_t events = 0;  // handlers run: clicks that hit, ticks, closes
    std::uint64_t games = 0;   // games ended, cleanly or not
    std::uint64_t errors = 0;  // games that ended with a run-time error
    std::uint64_t stuck = 0;   // games left with no window and no timer
    std::string firstError;
    // Inputs given while each form's window was in front, by form id.
    std::array<std::uint64_t, forms::kFormCount> inputsOn{};
  };

  explicit RandomPlay(std::uint32_t seed);
  ~RandomPlay();

  void play(std::uint64_t inputs);
  // Events of the game still being played included.
  Stats stats() const;

 private:
  struct Game {
    explicit Game(double secondsSinceMidnight);
    headless::HeadlessPlatform platform;
    forms::Program program;
  };

  void newGame();
  void endGame();
  void oneInput();

  std::mt19937 rng_;
  std::unique_ptr<Game> game_;
  Stats stats_;
};

}  // namespace bench
