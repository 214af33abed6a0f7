#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "forms/number_text.h"

using forms::readDecimal;
using forms::shortestText;

namespace {
std::string standard(double x) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x);
  return std::string(buffer, end);
}
}  // namespace

// Protects the browser build's number texts: they must be the desktop's,
// which std::to_chars writes, for every double the game could show.
TEST(NumberText, ShortestTextIsWhatTheStandardLibraryWrites) {
  const double samples[] = {0.0, -0.0, 1, -1, 0.5, 0.1, 0.3, 2.5, 10, 100, 1234.5, 32767, -32768, 1e15, 1e16,
                            1e17, 1e21, 1e22, 123456789012345680.0, 1e-5, 1.5e-7, 0.001, 5e-324, 1.7976931348623157e308,
                            1.0 / 3, 2.0 / 3, 16777215.0 / 16777216.0, 0.000123, 12345678.9};
  for (double x : samples) EXPECT_EQ(shortestText(x), standard(x)) << standard(x);
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t bits = random();
    double x;
    std::memcpy(&x, &bits, sizeof x);
    if (std::isnan(x)) continue;
    ASSERT_EQ(shortestText(x), standard(x)) << standard(x);
    double small = static_cast<double>(static_cast<std::int64_t>(bits % 2000001) - 1000000) / 1000.0;
    ASSERT_EQ(shortestText(small), standard(small));
  }
}

TEST(NumberText, ReadDecimalTakesWholeDecimalNumbersOnly) {
  const char* good[] = {"0", "12", "3.25", ".5", "5.", "1e3", "2.5E-2", "00017"};
  for (const char* text : good) {
    double mine = -1, theirs = -2;
    std::string_view s = text;
    ASSERT_TRUE(readDecimal(s, mine)) << text;
    std::from_chars(s.data(), s.data() + s.size(), theirs);
    EXPECT_EQ(mine, theirs) << text;
  }
  const char* bad[] = {"", "0x1A", "inf", "nan", "1e", "1.2.3", "12a", "1 2", "1-2", "e5"};
  for (const char* text : bad) {
    double value = 99;
    EXPECT_FALSE(readDecimal(text, value)) << text;
    EXPECT_EQ(value, 99) << text;
  }
}
