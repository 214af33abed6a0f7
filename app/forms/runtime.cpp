#include "runtime.h"

#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cctype>
#include <cstring>

namespace forms {

Runtime::Runtime(const Clock& clock) : clock_(clock) {}

void Runtime::Randomize() {
  double seconds = clock_.secondsSinceMidnight();
  std::uint64_t bits = 0;
  static_assert(sizeof bits == sizeof seconds);
  std::memcpy(&bits, &seconds, sizeof bits);
  state_ = bits ^ 0xD1B54A32D192ED03ull;
}

std::uint32_t Runtime::next24() {
  if (bitSource_) return bitSource_() & 0xFFFFFFu;
  // splitmix64: small, fast and well mixed, so that seeds taken from nearby
  // moments of the clock still give unrelated sequences.
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<std::uint32_t>(z >> 40);
}

double Runtime::fromBits(std::uint32_t bits24) {
  return static_cast<double>(bits24 & 0xFFFFFFu) / 16777216.0;
}

double Runtime::Rnd() { return fromBits(next24()); }

double Int(double x) { return std::floor(x); }

Int16 roundToInt16(double x) {
  if (!std::isfinite(x)) raise(ErrorKind::Overflow, "not a finite number");
  double rounded = std::nearbyint(x);  // the default rounding mode is to nearest, ties to even
  if (rounded < Int16::kMin || rounded > Int16::kMax) raise(ErrorKind::Overflow, std::to_string(x));
  return Int16(static_cast<int>(rounded));
}

std::string displayText(double x) {
#if defined(__cpp_lib_to_chars)
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x);
  std::string digits(buffer, ec == std::errc() ? end : buffer);
#else
  std::string digits = shortestText(x);
#endif
  if (digits == "-0") digits = "0";
  if (digits.front() != '-') digits.insert(digits.begin(), ' ');
  return digits;
}

std::string int16Text(Int16 x) { return std::to_string(int(x)); }

namespace {

std::string quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  return out.append(1, '"').append(text).append(1, '"');
}

}  // namespace

double textToNumber(std::string_view text) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  std::string_view body = text;
  if (!body.empty() && (body.front() == '+' || body.front() == '-')) body.remove_prefix(1);
  // from_chars also reads "inf" and "nan"; the game's numbers are decimal only.
  bool startsLikeNumber = !body.empty() && (std::isdigit(static_cast<unsigned char>(body.front())) ||
                                            (body.front() == '.' && body.size() > 1));
  if (!startsLikeNumber || body.front() == '+' || body.front() == '-') {
    raise(ErrorKind::NotANumber, quoted(text));
  }
  double value = 0;
#if defined(__cpp_lib_to_chars)
  auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  const bool whole = ec == std::errc() && end == body.data() + body.size();
#else
  const bool whole = readDecimal(body, value);
#endif
  if (!whole) {
    raise(ErrorKind::NotANumber, quoted(text));
  }
  return text.front() == '-' ? -value : value;
}

}  // namespace forms
