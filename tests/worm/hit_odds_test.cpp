#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "screens/worm/hit.h"
#include "support/game.h"
#include "support/journey.h"

using namespace forms;
using screens::Hit;
using testing_support::Game;

namespace {

constexpr int kGames = 8;
constexpr int kPictureTicksPerGame = 4000;
constexpr int kPictureTicks = kGames * kPictureTicksPerGame;

struct Tally {
  std::array<std::array<int, 16>, 2> shown{};  // by picture, then hole
  int sameHoleAgain = 0;
  int samePictureAgain = 0;
  int pairs = 0;
};

// Plays one untouched game for its picture ticks, checking at every tick that
// the holes show exactly what `shownpic` and `hole` say.
void tallyOneGame(double startSeconds, Tally& tally) {
  Game game(startSeconds);
  testing_support::reachGuide(game);
  testing_support::handOverAt(game, 10);
  Hit& hit = game.form<Hit>();
  int lastPicture = -1, lastHole = -1;
  for (int ticks = 0; ticks < 2 * kPictureTicksPerGame; ++ticks) {
    game.advance(1000);
    const bool pictureTick = hit.restnext == True;
    const int hole = roundToInt16(hit.hole);
    for (int i = 0; i < 16; ++i) {
      const Picture expected = pictureTick && i == hole ? hit.clipart(hit.shownpic).picture() : Picture{};
      ASSERT_EQ(hit.hitpic(i).picture(), expected) << "tick " << ticks << ", hole " << i;
    }
    if (!pictureTick) continue;
    ++tally.shown[static_cast<std::size_t>(int(hit.shownpic))][static_cast<std::size_t>(hole)];
    if (lastHole >= 0) {
      ++tally.pairs;
      tally.sameHoleAgain += hole == lastHole;
      tally.samePictureAgain += hit.shownpic == lastPicture;
    }
    lastHole = hole;
    lastPicture = hit.shownpic;
  }
}

}  // namespace

// Protects the odds: both pictures and all sixteen holes come up equally
// often, and each picture tick is drawn afresh.
TEST(HitOdds, PicturesAndHolesComeUpEquallyOftenAndIndependently) {
  Tally tally;
  for (int g = 0; g < kGames; ++g) tallyOneGame(8 * 3600.0 + g * 1234.567, tally);

  // Chi-squared over the 32 pairs of picture and hole, 31 degrees of
  // freedom: 100 lies far beyond p = 1e-6 (about 84), while a hole or a
  // picture left out, or one draw shared by both, gives thousands.
  const double expected = kPictureTicks / 32.0;
  double chiSquared = 0;
  for (const auto& byHole : tally.shown) {
    for (int count : byHole) chiSquared += (count - expected) * (count - expected) / expected;
  }
  EXPECT_LT(chiSquared, 100.0);

  // A repeat of the last hole comes with 1 in 16, of the last picture with
  // 1 in 2; six standard deviations either way.
  const double pairs = tally.pairs;
  EXPECT_NEAR(tally.sameHoleAgain, pairs / 16, 6 * std::sqrt(pairs * (1.0 / 16) * (15.0 / 16)));
  EXPECT_NEAR(tally.samePictureAgain, pairs / 2, 6 * std::sqrt(pairs * 0.25));
}
