#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "int16.h"

namespace forms {

// The source of time of day that `Randomize` seeds from. The platform provides
// it, so tests and tools can fix the seed with a virtual clock.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double secondsSinceMidnight() const = 0;
};

// The handlers' random generator. It yields 24 random bits per draw, and
// `Rnd` divides them by 2^24, so it can come as close to 1 as a single can
// hold but never reach it.
class Runtime {
 public:
  explicit Runtime(const Clock& clock);

  // A new starting value from the clock's time of day.
  void Randomize();

  // The next number of the generator: a single-precision value 0 <= r < 1,
  // handed out as a double so that `Rnd() * 6 + 1` is computed in double
  // precision and its whole part can never reach 7.
  double Rnd();

  // Tests replace the generator's bits to reach its extreme values.
  using BitSource = std::function<std::uint32_t()>;
  void setBitSourceForTesting(BitSource source) { bitSource_ = std::move(source); }
  void seed(std::uint64_t seed) { state_ = seed; }

  static double fromBits(std::uint32_t bits24);

 private:
  std::uint32_t next24();

  const Clock& clock_;
  std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
  BitSource bitSource_;
};

// The greatest whole number not greater than x (rounds down, also below 0).
double Int(double x);

// Rounds to the nearest whole number, a half to the even neighbour, and
// checks that it fits 16 bits.
Int16 roundToInt16(double x);

// A number as the game joins it into a caption: one leading blank when it is
// not negative (" 1", " 14"), a minus sign otherwise ("-1").
std::string displayText(double x);

// A 16-bit integer without the leading blank ("15", "-1").
std::string int16Text(Int16 x);

// Reads decimal number text (blanks around it allowed). Anything else is a
// NotANumber error.
double textToNumber(std::string_view text);

}  // namespace forms
