#pragma once

#include <string_view>
#include <vector>

#include "geometry.h"
#include "style.h"

namespace forms {

enum class Kind { Label, Image, CommandButton, Shape, Line, TextBox, Timer };

inline constexpr int kNotInArray = -1;

// One row of a form's layout table: a plain record of the properties the
// layout gives, with the form layer's defaults for the rest. Rows are written
// with the builders below so that a screen's table reads like its layout.
struct ControlSpec {
  Kind kind = Kind::Label;
  std::string_view name;
  int index = kNotInArray;  // element index in a control array
  TwipRect rect{};
  std::string_view text;     // Caption of a Label or button, Text of a TextBox
  std::string_view picture;  // an Image's picture by catalogue name, empty for none
  Font font{};
  Colour foreColour = system_colour::windowText;
  Colour backColour = system_colour::window;
  bool visible = true;
  bool enabled = true;
  // Shape
  ShapeKind shape = ShapeKind::Rectangle;
  Colour borderColour = system_colour::windowText;
  int borderWidth = 1;  // pixels
  BackStyle backStyle = BackStyle::Transparent;
  FillStyle fillStyle = FillStyle::Transparent;
  Colour fillColour = black;
  // Line, in twips, and its width in pixels
  TwipPoint from{};
  TwipPoint to{};
  // Timer
  int interval = 0;

  constexpr ControlSpec& at(int i) { index = i; return *this; }
  constexpr ControlSpec& caption(std::string_view t) { text = t; return *this; }
  constexpr ControlSpec& withPicture(std::string_view p) { picture = p; return *this; }
  constexpr ControlSpec& withFont(Font f) { font = f; return *this; }
  constexpr ControlSpec& colours(Colour fore, Colour back) { foreColour = fore; backColour = back; return *this; }
  constexpr ControlSpec& back(Colour c) { backColour = c; return *this; }
  constexpr ControlSpec& hidden() { visible = false; return *this; }
  constexpr ControlSpec& disabled() { enabled = false; return *this; }
  constexpr ControlSpec& kindOf(ShapeKind k) { shape = k; return *this; }
  constexpr ControlSpec& border(Colour c, int width = 1) { borderColour = c; borderWidth = width; return *this; }
  constexpr ControlSpec& opaque(Colour c) { backStyle = BackStyle::Opaque; backColour = c; return *this; }
  constexpr ControlSpec& fill(FillStyle s, Colour c = black) { fillStyle = s; fillColour = c; return *this; }
};

constexpr TwipRect twips(float left, float top, float width, float height) { return {left, top, width, height}; }

constexpr ControlSpec label(std::string_view name, TwipRect r) {
  ControlSpec s; s.kind = Kind::Label; s.name = name; s.rect = r; return s;
}
constexpr ControlSpec image(std::string_view name, TwipRect r) {
  ControlSpec s; s.kind = Kind::Image; s.name = name; s.rect = r; return s;
}
constexpr ControlSpec button(std::string_view name, TwipRect r) {
  ControlSpec s; s.kind = Kind::CommandButton; s.name = name; s.rect = r; s.backColour = system_colour::buttonFace; return s;
}
constexpr ControlSpec shape(std::string_view name, TwipRect r, ShapeKind k = ShapeKind::Rectangle) {
  ControlSpec s; s.kind = Kind::Shape; s.name = name; s.rect = r; s.shape = k; return s;
}
constexpr ControlSpec line(std::string_view name, TwipPoint from, TwipPoint to, Colour c, int widthPixels) {
  ControlSpec s; s.kind = Kind::Line; s.name = name; s.from = from; s.to = to;
  s.borderColour = c; s.borderWidth = widthPixels; return s;
}
constexpr ControlSpec textBox(std::string_view name, TwipRect r) {
  ControlSpec s; s.kind = Kind::TextBox; s.name = name; s.rect = r; return s;
}
constexpr ControlSpec timer(std::string_view name, int intervalMs) {
  ControlSpec s; s.kind = Kind::Timer; s.name = name; s.interval = intervalMs; return s;
}

constexpr Font font(Typeface face, float points) { return {face, points}; }
constexpr Font bold(Font f) { f.bold = true; return f; }
constexpr Font italic(Font f) { f.italic = true; return f; }
constexpr Font underlined(Font f) { f.underline = true; return f; }

enum class Placement { CentreScreen, Default };

// A form's stored layout: its window and its controls, front to back.
struct FormSpec {
  std::string_view caption;
  float clientWidth = 0;   // twips
  float clientHeight = 0;  // twips
  Colour background = system_colour::buttonFace;
  Placement placement = Placement::CentreScreen;
  std::vector<ControlSpec> controls;

  // The slot of a control by name and index, or -1.
  int find(std::string_view name, int index = kNotInArray) const;
};

}  // namespace forms
