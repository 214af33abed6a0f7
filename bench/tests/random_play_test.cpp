#include "random_play.h"

#include <gtest/gtest.h>

namespace {

TEST(RandomPlay, PlaysGameAfterGameWithoutErrorsOrDeadEnds) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    bench::RandomPlay play(seed);
    play.play(200000);
    const bench::RandomPlay::Stats s = play.stats();
    EXPECT_EQ(s.inputs, 200000u);
    EXPECT_GT(s.games, 10u) << "seed " << seed;
    EXPECT_EQ(s.errors, 0u) << "seed " << seed << ": " << s.firstError;
    EXPECT_EQ(s.stuck, 0u) << "seed " << seed;
    // Every game handles at least its start.
    EXPECT_GT(s.events, s.games);
  }
}

TEST(RandomPlay, TheSameSeedPlaysTheSameGames) {
  bench::RandomPlay a(99), b(99);
  a.play(50000);
  b.play(50000);
  EXPECT_EQ(a.stats().events, b.stats().events);
  EXPECT_EQ(a.stats().games, b.stats().games);
}

TEST(RandomPlay, CountsTheEventsOfTheGameStillBeingPlayed) {
  bench::RandomPlay play(5);
  const std::uint64_t before = play.stats().events;
  EXPECT_EQ(before, 1u);  // the start of the first game
  play.play(2000);
  EXPECT_GT(play.stats().events, before);
}

}  // namespace
