#pragma once

#include <cstdint>

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

enum class ShapeKind { Rectangle, RoundedRectangle, Circle };
enum class FillStyle { Transparent, Solid, UpwardDiagonal, DiagonalCross };
enum class BackStyle { Transparent, Opaque };

}  // namespace forms
