#pragma once

#include <cstdint>
#include <array>
#include <optional>
#include <random>
#include <string>

#include "support/game.h"

namespace testing_support {

// A child who clicks anywhere, closes windows and wanders off for up to a
// minute, over and over. After every event it checks what must always hold;
// the first broken rule is kept with the seed and event number, so that
// `Monkey(seed).run(event + 1)` replays it exactly.
class Monkey {
 public:
  // Something that follows every game the monkey plays: told of each new
  // game before it starts, and asked after every event for a rule of its own
  // that broke (empty if none).
  class Follower {
   public:
    virtual ~Follower() = default;
    virtual void gameMade(Game& game) = 0;
    virtual std::string brokenRule(Game& game) = 0;
  };

  explicit Monkey(std::uint64_t seed, Follower* follower = nullptr);

  // Runs up to `events` events, starting a new game each time one ends.
  // Returns false at the first broken rule.
  bool run(std::uint64_t events);

  const std::string& failure() const { return failure_; }
  std::uint64_t events() const { return events_; }
  std::uint64_t gamesPlayed() const { return games_; }
  // In how many games each form was on screen at least once, in registry order.
  const std::array<std::uint64_t, forms::kFormCount>& reached() const { return reached_; }

 private:
  void newGame();
  void step();
  void clickSomewhere();
  bool clickWisely(forms::Form& form);
  bool check();
  bool fail(const std::string& what);

  std::uint64_t seed_;
  Follower* follower_;
  int wisdom_ = 0;  // percent of clicks that know the answer, drawn per game
  std::mt19937_64 random_;
  std::optional<Game> game_;
  std::array<forms::Form*, forms::kFormCount> instances_{};
  std::uint64_t events_ = 0;
  std::uint64_t games_ = 0;
  std::array<std::uint64_t, forms::kFormCount> reached_{};
  std::array<bool, forms::kFormCount> seenThisGame_{};
  std::string failure_;
};

}  // namespace testing_support
