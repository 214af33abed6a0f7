#pragma once

#include <cmath>
#include <cstdint>
#include <string_view>

namespace forms {

struct Colour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend constexpr bool operator==(Colour, Colour) = default;
};

constexpr Colour rgb(int r, int g, int b) {
  return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

// The desktop's system colours as a standard desktop shows them. They are
// fixed rather than taken from the user's theme, so that a dark theme cannot
// turn the blackboard's white writing or the grey forms into something a
// child cannot read.
namespace system_colour {
inline constexpr Colour buttonFace = rgb(212, 208, 200);  // form background
inline constexpr Colour windowText = rgb(0, 0, 0);
inline constexpr Colour window = rgb(255, 255, 255);
inline constexpr Colour highlightText = rgb(255, 255, 255);
inline constexpr Colour activeCaption = rgb(0, 0, 128);
inline constexpr Colour captionText = rgb(255, 255, 255);
}  // namespace system_colour

inline constexpr Colour white = rgb(255, 255, 255);
inline constexpr Colour black = rgb(0, 0, 0);

// The three desktop fonts the layouts name. The Qt side maps each onto an
// embedded open font with the same metrics or feel.
enum class Typeface { MSSansSerif, ComicSansMS, TimesNewRoman };

struct Font {
  Typeface face = Typeface::MSSansSerif;
  float points = 8.0f;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  friend constexpr bool operator==(const Font&, const Font&) = default;
};

// The open font that stands in for each desktop font, by family name; every
// platform embeds these same fonts, so text wraps alike everywhere.
constexpr std::string_view fontFamily(Typeface face) {
  switch (face) {
    case Typeface::ComicSansMS: return "Comic Neue";
    case Typeface::TimesNewRoman: return "Liberation Serif";
    case Typeface::MSSansSerif: break;
  }
  return "Liberation Sans";
}

// Sizes are pixels at 96 dpi (a point is 4/3 of a pixel), whatever the
// screen's own dpi setting, so labels wrap and clip as laid out.
inline int pixelSize(const Font& font) { return static_cast<int>(std::lround(font.points * 96.0f / 72.0f)); }

enum class ShapeKind { Rectangle, RoundedRectangle, Circle };
enum class FillStyle { Transparent, Solid, UpwardDiagonal, DiagonalCross };
enum class BackStyle { Transparent, Opaque };

}  // namespace forms
