#include "number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace forms {

std::string shortestText(double x) {
  if (std::isnan(x)) return std::signbit(x) ? "-nan" : "nan";
  if (std::isinf(x)) return x < 0 ? "-inf" : "inf";
  if (x == 0) return std::signbit(x) ? "-0" : "0";
  char buffer[48];
  for (int precision = 0; precision <= 17; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*e", precision, x);
    if (std::strtod(buffer, nullptr) == x) break;
  }
  // buffer: [-]d[.ddd]e(+|-)XX
  std::string_view text = buffer;
  const bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e)) {
    if (c != '.') digits += c;
  }
  const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int n = static_cast<int>(digits.size());

  std::string scientific = digits.substr(0, 1);
  if (n > 1) scientific.append(".").append(digits, 1);
  scientific += exponent < 0 ? "e-" : "e+";
  if (std::abs(exponent) < 10) scientific += '0';
  scientific += std::to_string(std::abs(exponent));

  std::string fixed;
  if (exponent >= n - 1) {
    // A whole number is written out exactly, beyond its shortest digits.
    char whole[320];
    std::snprintf(whole, sizeof whole, "%.0f", std::fabs(x));
    fixed = whole;
  } else if (exponent >= 0) {
    const auto point = static_cast<std::size_t>(exponent) + 1;
    fixed.append(digits, 0, point).append(".").append(digits, point);
  } else {
    fixed.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
  }
  std::string out(negative ? "-" : "");
  return out.append(fixed.size() <= scientific.size() ? fixed : scientific);
}

bool readDecimal(std::string_view text, double& value) {
  // Digits, a point and an exponent only: strtod would also take hexadecimal,
  // "inf" and "nan", which std::from_chars does not.
  if (text.empty()) return false;
  for (char c : text) {
    if (!(c >= '0' && c <= '9') && c != '.' && c != 'e' && c != 'E' && c != '+' && c != '-') return false;
  }
  const std::string copy(text);
  char* end = nullptr;
  double parsed = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size()) return false;
  value = parsed;
  return true;
}

}  // namespace forms
