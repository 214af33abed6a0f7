#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "web/page.h"

// A page that records what the platform asks of it.
struct FakePage final : web::Page {
  double secondsSinceMidnight() const override { return 36000; }
  void openPanel(int panel, std::string_view, int width, int height, std::uint32_t, bool centred) override {
    opened.push_back(panel);
    sizes[panel] = {width, height};
    centredPanels[panel] = centred;
  }
  void showPanel(int panel, int stack) override { shown[panel] = stack; }
  void hidePanel(int panel) override { shown.erase(panel); }
  void closePanel(int panel) override {
    shown.erase(panel);
    closed.push_back(panel);
  }
  void drawControl(int panel, int slot, const web::ControlLook& look) override {
    looks[{panel, slot}] = look;
    texts[{panel, slot}] = std::string(look.text);
  }
  void focusRing(int panel, int slot, forms::PixelRect ring) override { rings[panel] = {slot, ring}; }
  void startTimer(int timer, int intervalMs) override { timers[timer] = intervalMs; }
  void stopTimer(int timer) override { timers.erase(timer); }
  void announce(std::string_view text) override { announced.emplace_back(text); }
  void readOrder(int panel, const std::vector<int>& slots) override { orders[panel] = slots; }
  void readControl(int panel, int slot, const reading::ControlReading& r) override { readings[{panel, slot}] = r; }
  void focusPanel(int panel) override { focusedPanels.push_back(panel); }
  void showError(std::string_view message) override { errors.emplace_back(message); }
  void sayGoodbye() override { ++goodbyes; }

  // The panel shown in front, or -1.
  int front() const {
    int best = -1, stack = -1;
    for (auto [panel, s] : shown) {
      if (s > stack) best = panel, stack = s;
    }
    return best;
  }

  std::vector<int> opened, closed;
  std::map<int, std::pair<int, int>> sizes;
  std::map<int, bool> centredPanels;
  std::map<int, int> shown;  // panel -> stack
  std::map<std::pair<int, int>, web::ControlLook> looks;
  std::map<std::pair<int, int>, std::string> texts;  // the looks' texts, kept alive
  std::map<int, std::pair<int, forms::PixelRect>> rings;
  std::map<int, int> timers;  // running: number -> interval
  std::vector<std::string> announced, errors;
  std::map<int, std::vector<int>> orders;
  std::map<std::pair<int, int>, reading::ControlReading> readings;
  std::vector<int> focusedPanels;
  int goodbyes = 0;
};
