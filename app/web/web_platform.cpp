#include "web_platform.h"

#include <algorithm>
#include <cmath>

#include "form_view.h"
#include "forms/stacking.h"
#include "reading/reading_model.h"

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

input::WindowInput* WebPlatform::inputOf(const forms::Form& form) const {
  auto it = inputs_.find(&form);
  return it == inputs_.end() ? nullptr : it->second.get();
}

int WebPlatform::focusedSlot(const forms::Form& form) const {
  input::WindowInput* in = inputOf(form);
  return in ? in->ring() : -1;
}

void WebPlatform::press(int panel, float x, float y, double timeMs) {
  forms::Form* form = ended_ ? nullptr : formOf(panel);
  if (!form) return;
  raise(*form);
  // A press elsewhere ends the one before, wherever its release goes.
  for (auto& [other, in] : inputs_) {
    if (other != form) in->cancelPress();
  }
  inputOf(*form)->press(toTwips(x, y), timeMs);
}

void WebPlatform::release(int panel, float x, float y) {
  forms::Form* form = ended_ ? nullptr : formOf(panel);
  if (!form) return;
  inputOf(*form)->release(toTwips(x, y));
  // Under scanning that was the switch: a whole step on what it chose.
  restartScan();
  syncRings();
}

void WebPlatform::activate(int panel, int slot) {
  forms::Form* form = ended_ ? nullptr : formOf(panel);
  if (!form) return;
  std::vector<int> order = reading::focusOrder(*form);
  if (std::find(order.begin(), order.end(), slot) == order.end()) return;
  program_->click(*form, slot);
  syncRings();
}

void WebPlatform::key(Key key) {
  if (ended_ || panels_.empty()) return;
  keyboardUsed_ = true;
  static constexpr input::Key kKeys[] = {input::Key::Next, input::Key::Previous, input::Key::Activate,
                                         input::Key::Activate, input::Key::Left, input::Key::Right,
                                         input::Key::Up, input::Key::Down, input::Key::Home, input::Key::End};
  // The page passes no repeats of a held key.
  inputOf(*panels_.back())->key(kKeys[static_cast<int>(key)], false);
  if (key == Key::Space || key == Key::Enter) restartScan();
  syncRings();
}

void WebPlatform::placeKey(int row, int column) {
  if (ended_ || panels_.empty()) return;
  inputOf(*panels_.back())->placeKey(row, column);
  syncRings();
}

std::string WebPlatform::ringToSpeech(forms::Form& form) {
  input::WindowInput* in = inputOf(form);
  if (in == nullptr) return {};
  const int speech = keyboardUsed_ || in->scanning() ? in->ringToSpeech() : -1;
  if (speech >= 0) return reading::readControl(form, speech).name;
  // The scan's ring is on the panel's first stop already, which has the
  // focus: the panel must not take it back.
  if (in->scanning() && in->ring() >= 0) return reading::readControl(form, in->ring()).name;
  return {};
}

void WebPlatform::close(int panel) {
  forms::Form* form = ended_ ? nullptr : formOf(panel);
  if (!form) return;
  // The form decides: its unload closes the panel through formUnloaded.
  program_->closeWindow(*form);
  syncRings();
}

void WebPlatform::setScan(double seconds) {
  scanMs_ = static_cast<int>(seconds * 1000);
  for (auto& [form, in] : inputs_) in->setScanning(scanMs_ > 0);
  restartScan();
}

void WebPlatform::restartScan() {
  if (scanMs_ <= 0 || ended_ || panels_.empty()) return;
  inputOf(*panels_.back())->showScanRing();
  page_.stopTimer(kScanTimer);
  page_.startTimer(kScanTimer, scanMs_);
  syncRings();
}

void WebPlatform::tick(int timer) {
  if (timer == kScanTimer) {
    if (ended_ || panels_.empty()) return;
    inputOf(*panels_.back())->scanStep();
    syncRings();
    return;
  }
  auto it = timers_.find(timer);
  if (ended_ || it == timers_.end()) return;
  RunningTimer t = it->second;
  program_->tick(*t.form, t.slot, t.generation);
  syncRings();
}

void WebPlatform::syncRings() {
  if (ended_) return;
  for (forms::Form* form : panels_) {
    // The ring exists only once the keyboard has been used, and only around
    // a control the keyboard can still reach.
    int slot = focusedSlot(*form);
    const std::optional<forms::TwipRect> area = slot < 0 ? std::nullopt : inputOf(*form)->ringArea();
    forms::PixelRect ring = area ? focusRingAround(*area) : forms::PixelRect{};
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
  inputs_[&form] = std::make_unique<input::WindowInput>(*program_, form);
  inputs_[&form]->setScanning(scanMs_ > 0);
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
  restartScan();
}

void WebPlatform::formHidden(forms::Form& form) {
  removePanel(form);
  page_.hidePanel(panelOf(form));
  restartScan();
}

void WebPlatform::formUnloaded(forms::Form& form) {
  stopTimers(&form);
  removePanel(form);
  inputs_.erase(&form);
  page_.closePanel(panelOf(form));
  restartScan();
}

void WebPlatform::removePanel(forms::Form& form) {
  std::erase(panels_, &form);
  rings_.erase(&form);
  if (input::WindowInput* in = inputOf(form)) in->cancelPress();
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
  page_.stopTimer(kScanTimer);
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
