#include "headless_platform.h"

#include <algorithm>

#include "settings/settings.h"

namespace headless {

using forms::Form;

HeadlessPlatform::HeadlessPlatform(double secondsSinceMidnight) : startSeconds_(secondsSinceMidnight) {}

double HeadlessPlatform::secondsSinceMidnight() const {
  return startSeconds_ + static_cast<double>(now_) / 1000.0;
}

std::optional<std::int64_t> HeadlessPlatform::nextTick() const {
  if (timers_.empty()) return std::nullopt;
  auto earliest = std::min_element(timers_.begin(), timers_.end(),
                                   [](const RunningTimer& a, const RunningTimer& b) { return a.due < b.due; });
  return earliest->due;
}

void HeadlessPlatform::advance(std::int64_t ms) {
  const std::int64_t target = now_ + ms;
  while (program_ && !quitCode_) {
    auto next = std::min_element(timers_.begin(), timers_.end(), [](const RunningTimer& a, const RunningTimer& b) {
      return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    if (next == timers_.end() || next->due > target) break;
    now_ = next->due;
    next->due += next->interval;
    next->order = nextOrder_++;
    RunningTimer fired = *next;  // the handler may stop or restart this timer
    program_->tick(*fired.form, fired.slot, fired.generation);
  }
  now_ = std::max(now_, target);
}

void HeadlessPlatform::click(const forms::ControlRef& control) {
  Form& form = control.form();
  if (!form.loaded()) return;
  clickAt(form, form.controls()[static_cast<std::size_t>(control.slot())].rect.centre());
}

void HeadlessPlatform::clickAt(Form& form, forms::TwipPoint point) {
  if (!program_ || !form.visible()) return;
  program_->clickAt(form, point);
}

void HeadlessPlatform::close(Form& form) {
  if (!program_ || !form.visible()) return;
  program_->closeWindow(form);
}

void HeadlessPlatform::formLoaded(Form& form) {
  const auto& rows = form.spec().controls;
  for (std::size_t slot = 0; slot < rows.size(); ++slot) {
    if (rows[slot].kind == forms::Kind::Timer) startTimer(form, static_cast<int>(slot));
  }
}

void HeadlessPlatform::formShown(Form& form) {
  removeWindow(form);
  windows_.push_back(&form);
}

void HeadlessPlatform::formHidden(Form& form) { removeWindow(form); }

void HeadlessPlatform::formUnloaded(Form& form) {
  removeWindow(form);
  std::erase_if(timers_, [&](const RunningTimer& t) { return t.form == &form; });
}

// Nothing is drawn: tests read the controls themselves.
void HeadlessPlatform::controlChanged(Form&, int, forms::TwipRect) {}

void HeadlessPlatform::timerChanged(Form& form, int slot) {
  stopTimer(form, slot);
  startTimer(form, slot);
}

void HeadlessPlatform::reportError(const std::string& message) {
  timers_.clear();
  errors_.push_back(message);
}

void HeadlessPlatform::quit(int exitCode) {
  timers_.clear();
  windows_.clear();
  quitCode_ = exitCode;
}

void HeadlessPlatform::startTimer(Form& form, int slot) {
  const forms::ControlState& state = form.controls()[static_cast<std::size_t>(slot)];
  if (!state.enabled || state.interval <= 0) return;
  const int interval = settings::paced(state.interval, pace_);
  timers_.push_back({&form, slot, form.generation(), interval, now_ + interval, nextOrder_++});
}

void HeadlessPlatform::stopTimer(Form& form, int slot) {
  std::erase_if(timers_, [&](const RunningTimer& t) { return t.form == &form && t.slot == slot; });
}

void HeadlessPlatform::removeWindow(Form& form) { std::erase(windows_, &form); }

}  // namespace headless
