#pragma once

#include "page.h"

namespace web {

// The page as the browser has it: every call goes to the page script
// (site/page.js), which keeps one element per panel and control.
class DomPage final : public Page {
 public:
  // The desktop's system colours for the panels' frames and title bars.
  void setTheme();

  double secondsSinceMidnight() const override;
  void openPanel(int panel, std::string_view caption, int width, int height, std::uint32_t background,
                 bool centred) override;
  void showPanel(int panel, int stack) override;
  void hidePanel(int panel) override;
  void closePanel(int panel) override;
  void drawControl(int panel, int slot, const ControlLook& look) override;
  void focusRing(int panel, int slot, forms::PixelRect ring) override;
  void startTimer(int timer, int intervalMs) override;
  void stopTimer(int timer) override;
  void announce(std::string_view text) override;
  void readOrder(int panel, const std::vector<int>& slots) override;
  void readControl(int panel, int slot, const reading::ControlReading& reading) override;
  void focusPanel(int panel) override;
  void showError(std::string_view message) override;
  void sayGoodbye() override;
};

}  // namespace web
