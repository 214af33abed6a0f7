#pragma once

namespace forms {

// Layouts are in twips, 15 to a pixel on a 96-dpi screen.
inline constexpr float kTwipsPerPixel = 15.0f;

struct TwipPoint {
  float x = 0;
  float y = 0;
};

struct TwipRect {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;

  constexpr float right() const { return left + width; }
  constexpr float bottom() const { return top + height; }
  constexpr bool contains(TwipPoint p) const {
    return p.x >= left && p.x < right() && p.y >= top && p.y < bottom();
  }
  constexpr TwipPoint centre() const { return {left + width / 2, top + height / 2}; }
  constexpr TwipRect united(const TwipRect& o) const;
  friend constexpr bool operator==(const TwipRect&, const TwipRect&) = default;
};

constexpr TwipRect TwipRect::united(const TwipRect& o) const {
  float l = left < o.left ? left : o.left;
  float t = top < o.top ? top : o.top;
  float r = right() > o.right() ? right() : o.right();
  float b = bottom() > o.bottom() ? bottom() : o.bottom();
  return {l, t, r - l, b - t};
}

}  // namespace forms
