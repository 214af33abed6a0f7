#pragma once

#include <string>
#include <vector>

#include "page.h"

namespace web {

// A page that draws nothing but writes down how the game draws its first
// screen, as the page script's own calls (the theme, the panels and their
// controls). The site's build has the page script draw that record into
// index.html (draw_first_screen.js), so that the intro is painted before any
// code has run; the core then takes the panels over (site/page.js).
// Timers, announcements and the keyboard ring wait for the core itself.
class FirstFrame final : public Page {
 public:
  FirstFrame();

  // The record as JSON: an array of calls, each the name, then the arguments.
  std::string json() const;
  // What went wrong while drawing: a first screen that failed is not shown.
  const std::vector<std::string>& errors() const { return errors_; }

  double secondsSinceMidnight() const override { return 0; }
  void openPanel(int panel, std::string_view caption, int width, int height, std::uint32_t background,
                 bool centred) override;
  void showPanel(int panel, int stack) override;
  void hidePanel(int panel) override;
  void closePanel(int panel) override;
  void drawControl(int panel, int slot, const ControlLook& look) override;
  void focusRing(int, int, forms::PixelRect) override {}
  void startTimer(int, int) override {}
  void stopTimer(int) override {}
  void announce(std::string_view) override {}
  // The intro is written with what a reader meets in it, so that the game
  // takes it over as it stands; its words and focus wait for the game.
  void readOrder(int panel, const std::vector<int>& slots) override;
  void readControl(int panel, int slot, const reading::ControlReading& reading) override;
  void focusPanel(int) override {}
  void showError(std::string_view message) override { errors_.emplace_back(message); }
  void sayGoodbye() override { errors_.emplace_back("the program ended before its first screen"); }

 private:
  std::vector<std::string> calls_;  // each one a JSON array: the name, then the arguments
  std::vector<std::string> errors_;
};

}  // namespace web
