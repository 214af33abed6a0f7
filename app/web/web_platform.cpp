#include "web_platform.h"

#include <algorithm>
#include <cmath>

#include "form_view.h"
#include "stacking.h"

namespace web {

namespace {
forms::TwipPoint toTwips(float x, float y) { return {x * forms::kTwipsPerPixel, y * forms::kTwipsPerPixel}; }
int panelOf(const forms::Form& form) { return static_cast<int>(form.id()); }
}  // namespace

void WebPlatform::attach(forms::Program& program) { program_ = &program; }

forms::Form* WebPlatform::formOf(int panel) const {
  if (!program_ || panel < 0 || panel >= forms::kFormCount) return nullptr;
  forms::Form* form = program_->find(static_cast<forms::FormId>(panel));
  // Only a panel on show takes the pointer, the keys or its close button.
  return form && form->visible() ? form : nullptr;
}

int WebPlatform::focusedSlot(const forms::Form& form) const {
  auto it = focused_.find(&form);
  return it == focused_.end() ? -1 : it->second;
}

void WebPlatform::press(int panel, float x, float y, double timeMs) {
  forms::Form* form = ended_ ? nullptr : formOf(panel);
  if (!form) return;
  raise(*form);
  // A quick second press near the first is a double-click's, and a
  // double-click is not a second Click; the press after it starts afresh.
  bool second = !lastPress_.second && lastPress_.form == form && timeMs - lastPress_.timeMs <= kDoubleClickMs &&
                std::abs(x - lastPress_.x) <= kDoubleClickDistance && std::abs(y - lastPress_.y) <= kDoubleClickDistance;
  lastPress_ = {form, x, y, timeMs, second};
  pressedForm_ = form;
  pressedSlot_ = second ? -1 : forms::hitTest(*form, toTwips(x, y));
}

void WebPlatform::release(int panel, float x, float y) {
  forms::Form* pressedForm = std::exchange(pressedForm_, nullptr);
  int pressed = std::exchange(pressedSlot_, -1);
  forms::Form* form = ended_ ? nullptr : formOf(panel);
  if (!form || form != pressedForm || pressed < 0) return;
  // A click is a press and a release over the same control.
  if (forms::hitTest(*form, toTwips(x, y)) == pressed) program_->click(*form, pressed);
  syncRings();
}

void WebPlatform::activate(int panel, int slot) {
  forms::Form* form = ended_ ? nullptr : formOf(panel);
  if (!form) return;
  std::vector<int> order = forms::focusOrder(*form);
  if (std::find(order.begin(), order.end(), slot) == order.end()) return;
  program_->click(*form, slot);
  syncRings();
}

void WebPlatform::key(Key key) {
  if (ended_ || panels_.empty()) return;
  forms::Form& form = *panels_.back();
  std::vector<int> order = forms::focusOrder(form);
  int& focused = focused_.try_emplace(&form, -1).first->second;
  auto at = std::find(order.begin(), order.end(), focused);
  if (key == Key::Tab || key == Key::BackTab) {
    if (order.empty()) return;
    const int n = static_cast<int>(order.size());
    const int step = key == Key::Tab ? 1 : -1;
    int index = at == order.end() ? (step > 0 ? 0 : n - 1) : (static_cast<int>(at - order.begin()) + step + n) % n;
    focused = order[static_cast<std::size_t>(index)];
  } else if (at != order.end()) {
    program_->click(form, focused);
  }
  syncRings();
}

void WebPlatform::close(int panel) {
  forms::Form* form = ended_ ? nullptr : formOf(panel);
  if (!form) return;
  // The form decides: its unload closes the panel through formUnloaded.
  program_->closeWindow(*form);
  syncRings();
}

void WebPlatform::tick(int timer) {
  auto it = timers_.find(timer);
  if (ended_ || it == timers_.end()) return;
  RunningTimer t = it->second;
  program_->tick(*t.form, t.slot, t.generation);
  syncRings();
}

void WebPlatform::syncRings() {
  if (ended_) return;
  for (forms::Form* form : panels_) {
    int slot = focusedSlot(*form);
    std::vector<int> order = slot < 0 ? std::vector<int>{} : forms::focusOrder(*form);
    // The ring exists only once the keyboard has been used, and only around
    // a control the keyboard can still reach.
    if (std::find(order.begin(), order.end(), slot) == order.end()) slot = -1;
    forms::PixelRect ring = slot < 0 ? forms::PixelRect{} : focusRingOf(*form, slot);
    auto [it, added] = rings_.try_emplace(form, -1, forms::PixelRect{});
    if (!added && it->second.first == slot && it->second.second == ring) continue;
    if (added && slot < 0) continue;
    it->second = {slot, ring};
    page_.focusRing(panelOf(*form), slot, ring);
  }
}

void WebPlatform::raise(forms::Form& form) {
  if (!panels_.empty() && panels_.back() == &form) return;
  std::erase(panels_, &form);
  panels_.push_back(&form);
  page_.showPanel(panelOf(form), ++stack_);
}

void WebPlatform::formLoaded(forms::Form& form) {
  openPanelFor(page_, form, contrast_);
  const auto& rows = form.spec().controls;
  for (std::size_t slot = 0; slot < rows.size(); ++slot) {
    if (rows[slot].kind == forms::Kind::Timer) startTimer(form, static_cast<int>(slot));
  }
}

void WebPlatform::formShown(forms::Form& form) {
  // Shown again, a panel comes to the front even when it was there already.
  std::erase(panels_, &form);
  panels_.push_back(&form);
  page_.showPanel(panelOf(form), ++stack_);
}

void WebPlatform::formHidden(forms::Form& form) {
  removePanel(form);
  page_.hidePanel(panelOf(form));
}

void WebPlatform::formUnloaded(forms::Form& form) {
  stopTimers(&form);
  removePanel(form);
  focused_.erase(&form);
  page_.closePanel(panelOf(form));
}

void WebPlatform::removePanel(forms::Form& form) {
  std::erase(panels_, &form);
  rings_.erase(&form);
  if (pressedForm_ == &form) {
    pressedForm_ = nullptr;
    pressedSlot_ = -1;
  }
  if (lastPress_.form == &form) lastPress_ = {};
}

void WebPlatform::controlChanged(forms::Form& form, int slot, forms::TwipRect) {
  drawControl(page_, form, slot, contrast_);
}

void WebPlatform::timerChanged(forms::Form& form, int slot) { startTimer(form, slot); }

void WebPlatform::startTimer(forms::Form& form, int slot) {
  auto key = std::make_pair(static_cast<const forms::Form*>(&form), slot);
  if (auto it = timerOf_.find(key); it != timerOf_.end()) {
    page_.stopTimer(it->second);
    timers_.erase(it->second);
    timerOf_.erase(it);
  }
  const forms::ControlState& state = form.controls()[static_cast<std::size_t>(slot)];
  if (!state.enabled || state.interval <= 0) return;
  // A fresh number for every start: a tick already queued by the browser for
  // the old timer finds no timer and is dropped.
  int id = nextTimer_++;
  timers_[id] = {&form, slot, form.generation()};
  timerOf_[key] = id;
  page_.startTimer(id, settings::paced(state.interval, pace_));
}

void WebPlatform::stopTimers(const forms::Form* form) {
  for (auto it = timerOf_.begin(); it != timerOf_.end();) {
    if (form == nullptr || it->first.first == form) {
      page_.stopTimer(it->second);
      timers_.erase(it->second);
      it = timerOf_.erase(it);
    } else {
      ++it;
    }
  }
}

void WebPlatform::reportError(const std::string& message) {
  // Nothing may tick or take a click while the report is read.
  ended_ = true;
  stopTimers(nullptr);
  errorShown_ = true;
  page_.showError(message);
}

void WebPlatform::quit(int) {
  ended_ = true;
  stopTimers(nullptr);
  for (forms::Form* form : panels_) page_.hidePanel(panelOf(*form));
  panels_.clear();
  // After an error the report stays the last word.
  if (!errorShown_) page_.sayGoodbye();
}

}  // namespace web
