#include <gtest/gtest.h>

#include "forms/forms.h"

using namespace forms;

namespace {
struct FixedClock final : Clock {
  double seconds = 0;
  double secondsSinceMidnight() const override { return seconds; }
};
}  // namespace

// Protects the 16-bit arithmetic: it raises at the edges and never wraps.
TEST(Int16, IncrementPast32767IsAnOverflowAndKeepsTheValue) {
  Int16 counter = 32767;
  EXPECT_THROW(++counter, RuntimeError);
  EXPECT_EQ(counter, 32767);
  EXPECT_THROW(counter += 1, RuntimeError);
  EXPECT_THROW(counter = counter + 1, RuntimeError);
  EXPECT_EQ(counter, 32767);
  Int16 low = -32768;
  EXPECT_THROW(--low, RuntimeError);
  EXPECT_EQ(low, -32768);
  EXPECT_THROW(Int16(40000), RuntimeError);
}

TEST(BoundedArray, AnIndexOutsideTheDeclaredBoundsIsAnError) {
  BoundedArray<Int16, 0, 19> cards;
  cards[0] = 5;
  cards[19] = 7;
  EXPECT_EQ(cards[19], 7);
  EXPECT_THROW(cards[20], RuntimeError);
  EXPECT_THROW(cards[-1], RuntimeError);
  try {
    cards[20] = 1;
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.kind(), ErrorKind::OutOfRange);
  }
}

// Protects the runtime's numbers: rounding, whole parts and the texts.
TEST(Runtime, RoundingToSixteenBitsTakesHalvesToTheEvenNeighbour) {
  EXPECT_EQ(roundToInt16(2.5), 2);
  EXPECT_EQ(roundToInt16(3.5), 4);
  EXPECT_EQ(roundToInt16(-2.5), -2);
  EXPECT_EQ(roundToInt16(15 - 12 + 0.5), 4);
  EXPECT_EQ(roundToInt16(32766.5), 32766);
  EXPECT_THROW(roundToInt16(32767.5), RuntimeError);  // the even neighbour 32768 does not fit
  EXPECT_EQ(roundToInt16(-32768.5), -32768);
  EXPECT_THROW(roundToInt16(1e9), RuntimeError);
}

TEST(Runtime, IntRoundsDownAlsoForNegatives) {
  EXPECT_EQ(Int(6.999), 6);
  EXPECT_EQ(Int(-0.5), -1);
  EXPECT_EQ(Int(-2.0), -2);
}

TEST(Runtime, NumbersJoinIntoCaptionsWithALeadingBlank) {
  EXPECT_EQ(displayText(1), " 1");
  EXPECT_EQ(displayText(14), " 14");
  EXPECT_EQ(displayText(0), " 0");
  EXPECT_EQ(displayText(-1), "-1");
  EXPECT_EQ(displayText(-0.0), " 0");
  EXPECT_EQ("Stage " + displayText(1), "Stage  1");
  EXPECT_EQ(int16Text(15), "15");
  EXPECT_EQ(int16Text(-1), "-1");
}

TEST(Runtime, TextToNumberReadsDecimalsAndRejectsEverythingElse) {
  EXPECT_EQ(textToNumber("15"), 15);
  EXPECT_EQ(textToNumber("-1"), -1);
  EXPECT_EQ(textToNumber(" 12 "), 12);
  EXPECT_EQ(textToNumber("+2.5"), 2.5);
  EXPECT_EQ(textToNumber(".5"), 0.5);
  for (const char* bad : {"", " ", "abc", "12abc", "-", "inf", "nan", "1 2", "--1", "+-1", "."}) {
    EXPECT_THROW(textToNumber(bad), RuntimeError) << '"' << bad << '"';
  }
}

// Protects the generator: below 1 at its largest, seeded by the clock.
TEST(Runtime, RndNeverReachesOneEvenAtTheGeneratorsLargestValue) {
  FixedClock clock;
  Runtime runtime(clock);
  runtime.setBitSourceForTesting([] { return 0xFFFFFFu; });
  double r = runtime.Rnd();
  EXPECT_LT(r, 1.0);
  EXPECT_EQ(static_cast<float>(r), r) << "Rnd is a single";
  EXPECT_EQ(Int(r * 6 + 1), 6);
  EXPECT_EQ(Int(r * 10), 9);
  EXPECT_EQ(Int(r * 16), 15);
  runtime.setBitSourceForTesting([] { return 0u; });
  EXPECT_EQ(Int(runtime.Rnd() * 6 + 1), 1);
}

TEST(Runtime, RandomizeTakesItsStartFromTheClock) {
  FixedClock clock;
  Runtime a(clock), b(clock);
  clock.seconds = 36000.25;
  a.Randomize();
  b.Randomize();
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.Rnd(), b.Rnd());
  clock.seconds = 36000.30;
  b.Randomize();
  a.Randomize();
  clock.seconds = 36000.35;
  b.Randomize();
  EXPECT_NE(a.Rnd(), b.Rnd());
}

TEST(Runtime, EverySixSidedDrawIsReachedAndNoneBeyond) {
  FixedClock clock;
  Runtime runtime(clock);
  std::array<int, 8> seen{};
  for (int i = 0; i < 60000; ++i) {
    double n = Int(runtime.Rnd() * 6 + 1);
    ASSERT_GE(n, 1);
    ASSERT_LE(n, 6);
    ++seen[static_cast<std::size_t>(n)];
  }
  for (int n = 1; n <= 6; ++n) EXPECT_NEAR(seen[static_cast<std::size_t>(n)], 10000, 600) << n;
}
