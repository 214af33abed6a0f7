#include "settings.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace settings {

namespace {

// A plain decimal such as "0.5", "1" or ".25", read the same in every locale
// (and without the floating-point from_chars the browser's library lacks).
std::optional<double> decimal(std::string_view text) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  double whole = 0, scale = 1;
  bool point = false, digits = false;
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
    } else if (c >= '0' && c <= '9') {
      digits = true;
      whole = whole * 10 + (c - '0');
      if (point) scale *= 10;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  return whole / scale;
}

std::optional<int> whole(std::string_view text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// To thousandths, the finest step a setting is told in: "0.5", "1", "0.125".
std::string decimalText(double value) {
  const long thousandths = std::lround(value * 1000);
  std::string text = std::to_string(thousandths / 1000);
  if (long fraction = thousandths % 1000; fraction != 0) {
    std::string digits = std::to_string(1000 + fraction).substr(1);
    while (digits.back() == '0') digits.pop_back();
    text += '.' + digits;
  }
  return text;
}

// Why a value was refused: the rule, and the value as it was given. Built
// by appending (GCC 12 warns wrongly of an overlap in "..." + std::string).
std::string refused(std::string_view rule, std::string_view text) {
  std::string why(rule);
  why += ", not \"";
  why.append(text);
  why += '"';
  return why;
}

}  // namespace

std::string apply(Settings& settings, std::string_view name, std::string_view text) {
  if (name == "pace") {
    auto value = decimal(text);
    if (!value || *value < 0.1 || *value > 1) return refused("pace must be a number from 0.1 to 1", text);
    settings.pace = *value;
  } else if (name == "scan") {
    auto value = decimal(text);
    if (!value || (*value != 0 && (*value < 1 || *value > 5))) {
      return refused("scan must be 0 (off) or a number of seconds from 1 to 5", text);
    }
    settings.scan = *value;
  } else if (name == "contrast") {
    if (text != "normal" && text != "high") return refused("contrast must be normal or high", text);
    settings.contrast = text == "high" ? Contrast::High : Contrast::Normal;
  } else if (name == "voice-volume" || name == "effects-volume") {
    auto value = whole(text);
    if (!value || *value > 100) return refused(std::string(name) + " must be a whole number from 0 to 100", text);
    (name == "voice-volume" ? settings.voiceVolume : settings.effectsVolume) = *value;
  } else {
    std::string why = "there is no setting called \"";
    why.append(name);
    return why += '"';
  }
  return {};
}

void applyQuery(Settings& settings, std::string_view query) {
  if (query.starts_with('?')) query.remove_prefix(1);
  while (!query.empty()) {
    const std::size_t end = std::min(query.find('&'), query.size());
    const std::string_view pair = query.substr(0, end);
    if (const std::size_t eq = pair.find('='); eq != std::string_view::npos) {
      apply(settings, pair.substr(0, eq), pair.substr(eq + 1));
    }
    query.remove_prefix(std::min(end + 1, query.size()));
  }
}

std::string textOf(const Settings& settings, std::string_view name) {
  if (name == "pace") return decimalText(settings.pace);
  if (name == "scan") return decimalText(settings.scan);
  if (name == "contrast") return settings.contrast == Contrast::High ? "high" : "normal";
  if (name == "voice-volume") return std::to_string(settings.voiceVolume);
  if (name == "effects-volume") return std::to_string(settings.effectsVolume);
  return {};
}

int paced(int intervalMs, double pace) {
  if (pace >= 1) return intervalMs;
  return static_cast<int>(std::min(std::lround(intervalMs / pace), 2147483647L));
}

namespace {

double luminance(forms::Colour c) {
  auto channel = [](std::uint8_t v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

forms::Colour mix(forms::Colour from, forms::Colour to, int step, int steps) {
  auto part = [&](std::uint8_t a, std::uint8_t b) { return static_cast<int>(std::lround(a + (b - a) * step / double(steps))); };
  return forms::rgb(part(from.r, to.r), part(from.g, to.g), part(from.b, to.b));
}

// A little above WCAG's 4.5, so that rounding a colour to bytes never drops below it.
constexpr double kLegible = 4.6;

}  // namespace

double contrastRatio(forms::Colour a, forms::Colour b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

forms::Colour textColour(forms::Colour fore, forms::Colour back, Contrast contrast) {
  if (contrast == Contrast::Normal || contrastRatio(fore, back) >= kLegible) return fore;
  // Towards whichever end reads better on this background; one of them
  // always reaches 4.5:1. The text keeps as much of its own colour as it can.
  const forms::Colour end = contrastRatio(forms::black, back) >= contrastRatio(forms::white, back) ? forms::black
                                                                                                   : forms::white;
  constexpr int kSteps = 64;
  for (int step = 1; step < kSteps; ++step) {
    const forms::Colour shade = mix(fore, end, step, kSteps);
    if (contrastRatio(shade, back) >= kLegible) return shade;
  }
  return end;
}

}  // namespace settings
