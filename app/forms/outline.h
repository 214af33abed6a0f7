#pragma once

#include <algorithm>

#include "geometry.h"
#include "layout.h"

namespace forms {

// A rectangle in logical pixels (twips / 15), the unit every painter draws in.
struct PixelRect {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

constexpr PixelRect inPixels(const TwipRect& r) {
  return {r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel, r.height / kTwipsPerPixel};
}

// Where a shape's border runs: the middle of a pen of the border's width, so
// that the whole border lies inside the control's rectangle, as the layout
// measures it. A circle is the largest one centred in the rectangle; rounded
// corners are an eighth of the shorter side. Both painters draw from this.
struct Outline {
  ShapeKind kind = ShapeKind::Rectangle;
  PixelRect path;      // the pen's centre line
  float radius = 0;    // of a rounded rectangle's corners
};

constexpr Outline shapeOutline(const ControlSpec& spec, const TwipRect& rect) {
  PixelRect box = inPixels(rect);
  if (spec.shape == ShapeKind::Circle) {
    float d = std::min(box.width, box.height);
    box = {box.x + (box.width - d) / 2, box.y + (box.height - d) / 2, d, d};
  }
  float inset = static_cast<float>(spec.borderWidth) / 2.0f;
  float radius = spec.shape == ShapeKind::RoundedRectangle ? std::min(box.width, box.height) / 8.0f : 0.0f;
  return {spec.shape, {box.x + inset, box.y + inset, box.width - 2 * inset, box.height - 2 * inset}, radius};
}

}  // namespace forms
