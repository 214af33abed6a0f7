#include "window_input.h"

#include <algorithm>
#include <cmath>

#include "forms/program.h"
#include "reading/reading_model.h"
#include "forms/stacking.h"

namespace input {

WindowInput::WindowInput(forms::Program& program, forms::Form& form, DoubleClick doubleClick)
    : program_(program), form_(form), doubleClick_(doubleClick), readingOrder_(reading::readingOrder(form)) {}

std::vector<int> WindowInput::reachable() const { return reading::reachable(form_, readingOrder_); }

void WindowInput::press(forms::TwipPoint at, double ms) {
  const bool second = last_.any && !last_.second && ms - last_.ms <= doubleClick_.ms &&
                      std::abs(at.x - last_.at.x) <= doubleClick_.twips && std::abs(at.y - last_.at.y) <= doubleClick_.twips;
  last_ = {at, ms, second, true};
  pressed_ = second ? -1 : forms::hitTest(form_, at);
}

void WindowInput::release(forms::TwipPoint at) {
  const int pressed = std::exchange(pressed_, -1);
  if (pressed < 0 || !form_.visible()) return;
  if (forms::hitTest(form_, at) == pressed) program_.click(form_, pressed);
}

int WindowInput::ring() const {
  if (focused_ < 0) return -1;
  std::vector<int> order = reachable();
  return std::find(order.begin(), order.end(), focused_) != order.end() ? focused_ : -1;
}

int WindowInput::ringToSpeech() {
  for (int slot : reachable()) {
    if (reading::isSpeech(form_, slot)) return focused_ = slot;
  }
  return -1;
}

void WindowInput::move(int step) {
  std::vector<int> order = reachable();
  if (order.empty()) return;
  const int n = int(order.size());
  auto it = std::find(order.begin(), order.end(), focused_);
  const int index = it == order.end() ? (step > 0 ? 0 : n - 1) : (int(it - order.begin()) + step + n) % n;
  focused_ = order[std::size_t(index)];
}

bool WindowInput::key(Key key, bool repeat) {
  switch (key) {
    case Key::Next: move(+1); return true;
    case Key::Previous: move(-1); return true;
    case Key::Activate:
      // Like a double-click, a held key's repeats are no new clicks.
      if (!repeat && ring() >= 0) program_.click(form_, focused_);
      return true;
  }
  return false;
}

}  // namespace input
