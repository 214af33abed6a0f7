#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <memory>
#include <optional>

#include "forms/forms.h"
#include "page.h"
#include "input/window_input.h"
#include "settings/settings.h"

namespace web {

// The form layer's platform in a browser: a panel on the page per loaded
// form, the browser's timers, and the page's pointer and keys brought to the
// form layer's hit-testing exactly as the desktop brings its mouse. It knows
// the page only through `Page`, so every rule here is tested without one.
class WebPlatform final : public forms::Platform {
 public:
  explicit WebPlatform(Page& page) : page_(page) {}

  // Events reach this program.
  void attach(forms::Program& program);
  // Every timer runs 1/pace slower from its next start; the forms never see it.
  void setPace(double pace) { pace_ = pace; }
  // How texts are coloured; chosen before the first panel opens.
  void setContrast(settings::Contrast contrast) { contrast_ = contrast; }
  // One-switch scanning in the front panel: the ring's step in seconds, 0
  // for none. The step runs on a timer of its own, number 0.
  void setScan(double seconds);

  enum class Key { Tab, BackTab, Space, Enter, Left, Right, Up, Down, Home, End };

  // Events from the page. Points are in the panel's client pixels; `timeMs`
  // is when the press happened, to tell a double-click.
  void press(int panel, float x, float y, double timeMs);
  void release(int panel, float x, float y);
  // A screen reader's press of a control, as the desktop's accessible action.
  void activate(int panel, int slot);
  void key(Key key);
  // A key of the 1/Q/A/Z block by its physical place, in the front panel.
  void placeKey(int row, int column);
  void close(int panel);
  void tick(int timer);

  // Panels on show, back to front.
  const std::vector<forms::Form*>& panels() const { return panels_; }
  int focusedSlot(const forms::Form& form) const;
  int runningTimers() const { return static_cast<int>(timers_.size()); }

  // Puts the ring on the speech of a form that came to the front, once the
  // keyboard has been used on the page or while scanning; returns what the
  // control that has the focus says (the speech, or the scan's first stop),
  // or nothing when the panel itself should take the focus.
  std::string ringToSpeech(forms::Form& form);

  // forms::Platform
  double secondsSinceMidnight() const override { return page_.secondsSinceMidnight(); }
  void formLoaded(forms::Form& form) override;
  void formShown(forms::Form& form) override;
  void formHidden(forms::Form& form) override;
  void formUnloaded(forms::Form& form) override;
  void controlChanged(forms::Form& form, int slot, forms::TwipRect area) override;
  void timerChanged(forms::Form& form, int slot) override;
  void reportError(const std::string& message) override;
  void quit(int exitCode) override;

 private:
  struct RunningTimer {
    forms::Form* form;
    int slot;
    std::uint32_t generation;
  };

  forms::Form* formOf(int panel) const;
  input::WindowInput* inputOf(const forms::Form& form) const;
  void startTimer(forms::Form& form, int slot);
  void stopTimers(const forms::Form* form);
  void removePanel(forms::Form& form);
  void raise(forms::Form& form);
  // Redraws the focus ring of each panel after an event changed its controls.
  void syncRings();
  // The scan's step starts afresh in the front panel.
  void restartScan();
  static constexpr int kScanTimer = 0;

  Page& page_;
  forms::Program* program_ = nullptr;
  double pace_ = 1;
  int scanMs_ = 0;
  settings::Contrast contrast_ = settings::Contrast::Normal;
  std::vector<forms::Form*> panels_;
  int stack_ = 0;
  std::map<int, RunningTimer> timers_;
  std::map<std::pair<const forms::Form*, int>, int> timerOf_;
  int nextTimer_ = 1;
  std::map<const forms::Form*, std::unique_ptr<input::WindowInput>> inputs_;
  bool keyboardUsed_ = false;
  std::map<const forms::Form*, std::pair<int, forms::PixelRect>> rings_;  // as last drawn
  bool ended_ = false;
  bool errorShown_ = false;
};

}  // namespace web
