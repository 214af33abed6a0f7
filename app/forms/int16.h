#pragma once

#include <cstdint>
#include <string>

#include "error.h"

namespace forms {

// A 16-bit signed integer that never wraps. Arithmetic happens in int (which
// cannot overflow for 16-bit operands); storing the result back checks it, so
// `misses = misses + 1` and `++misses` both raise Overflow past 32767 and
// leave the old value in place.
class Int16 {
 public:
  static constexpr int kMin = -32768;
  static constexpr int kMax = 32767;

  constexpr Int16() = default;
  constexpr Int16(int value) : value_(checked(value)) {}  // NOLINT: implicit by design

  constexpr operator int() const { return value_; }  // NOLINT: implicit by design
  constexpr std::int16_t value() const { return value_; }

  Int16& operator++() { return *this = value_ + 1; }
  Int16& operator--() { return *this = value_ - 1; }
  Int16& operator+=(int delta) { return *this = value_ + delta; }
  Int16& operator-=(int delta) { return *this = value_ - delta; }

 private:
  static constexpr std::int16_t checked(int value) {
    if (value < kMin || value > kMax) raise(ErrorKind::Overflow, std::to_string(value));
    return static_cast<std::int16_t>(value);
  }

  std::int16_t value_ = 0;
};

// Flags are 16-bit integers: 0 is false, -1 is true, and the handlers compare
// with these two values exactly as the game's rules are worded.
inline constexpr int True = -1;
inline constexpr int False = 0;
inline constexpr int flag(bool b) { return b ? True : False; }

}  // namespace forms
