#include <gtest/gtest.h>

#include "monkey/monkey.h"

using testing_support::Monkey;

// Protects the whole program against any sequence of clicks, closes and
// waits: a fixed budget of seeds and events, replayable from the failure.
TEST(Monkey, ManySeedsOfRandomPlayKeepEveryRule) {
  constexpr std::uint64_t kSeeds = 200;
  constexpr std::uint64_t kEventsPerSeed = 5000;
  std::uint64_t games = 0;
  for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
    Monkey monkey(seed);
    ASSERT_TRUE(monkey.run(kEventsPerSeed)) << monkey.failure();
    games += monkey.gamesPlayed();
  }
  EXPECT_GT(games, kSeeds) << "the monkey gets through whole games";
}
