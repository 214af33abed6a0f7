#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "forms/layout.h"
#include "forms/outline.h"
#include "reading/reading_model.h"

namespace web {

// A colour as the page takes it: 0xRRGGBB.
constexpr std::uint32_t packed(forms::Colour c) { return std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b; }

struct TextLook {
  std::string_view family;
  int pixels = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// Everything the page needs to draw one control as it is now. The page keeps
// one element per control and redraws it whole from this.
struct ControlLook {
  forms::Kind kind = forms::Kind::Label;
  int depth = 0;  // nearer the front is higher; buttons lie over everything
  bool visible = true;
  bool enabled = true;
  forms::PixelRect box;       // a Label's, Image's or button's rectangle
  std::string_view text;      // a Label's or button's caption
  std::string_view picture;   // an Image's file under art/, empty for none
  std::string_view name;      // an Image's picture by name, for screen readers
  TextLook font;
  std::uint32_t fore = 0;
  std::uint32_t back = 0;
  // Shape
  forms::Outline outline;
  bool opaque = false;
  forms::FillStyle fill = forms::FillStyle::Transparent;
  std::uint32_t fillColour = 0;
  std::uint32_t border = 0;
  int borderWidth = 1;
  // Line, in pixels
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// What the browser platform needs of the page it draws on. The Emscripten
// build implements it with the DOM; the tests with a recorder. Panels are the
// forms' windows, known by their form's number in the registry.
class Page {
 public:
  virtual ~Page() = default;

  virtual double secondsSinceMidnight() const = 0;
  // A new panel, hidden: the caption, the client area in pixels, its colour,
  // and whether it sits centred or where a desktop puts a new window.
  virtual void openPanel(int panel, std::string_view caption, int width, int height, std::uint32_t background,
                         bool centred) = 0;
  // Shows the panel in front of every other; `stack` grows with each call.
  virtual void showPanel(int panel, int stack) = 0;
  virtual void hidePanel(int panel) = 0;
  virtual void closePanel(int panel) = 0;
  virtual void drawControl(int panel, int slot, const ControlLook& look) = 0;
  // The keyboard's ring around a control (a rectangle in client pixels), or
  // none when `slot` is -1. The page also gives that control the focus, so
  // that a screen reader follows it.
  virtual void focusRing(int panel, int slot, forms::PixelRect ring) = 0;
  // A timer calls back with its number every `intervalMs` until stopped.
  virtual void startTimer(int timer, int intervalMs) = 0;
  virtual void stopTimer(int timer) = 0;
  // Read out by a screen reader, politely, after what it is reading now:
  // each call a message of its own, the same words twice said twice.
  virtual void announce(std::string_view text) = 0;
  // The order in which a reader meets a panel's controls; the others are
  // scenery, hidden from it.
  virtual void readOrder(int panel, const std::vector<int>& slots) = 0;
  // What a reader is told about one control now.
  virtual void readControl(int panel, int slot, const reading::ControlReading& reading) = 0;
  // The panel itself takes the focus, so that a reader says its title.
  virtual void focusPanel(int panel) = 0;
  virtual void showError(std::string_view message) = 0;
  virtual void sayGoodbye() = 0;
};

}  // namespace web
