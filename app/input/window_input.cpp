#include "window_input.h"

#include <algorithm>
#include <cmath>

#include "forms/program.h"
#include "reading/reading_model.h"
#include "forms/stacking.h"

namespace input {

WindowInput::WindowInput(forms::Program& program, forms::Form& form, DoubleClick doubleClick)
    : program_(program), form_(form), doubleClick_(doubleClick), readingOrder_(reading::readingOrder(form)) {
  for (int slot = 0; slot < int(form.spec().controls.size()); ++slot) places_.push_back(reading::arrayPlace(form, slot));
}

std::vector<int> WindowInput::reachable() const { return reading::reachable(form_, readingOrder_); }

void WindowInput::press(forms::TwipPoint at, double ms) {
  const bool second = last_.any && !last_.second && ms - last_.ms <= doubleClick_.ms &&
                      std::abs(at.x - last_.at.x) <= doubleClick_.twips && std::abs(at.y - last_.at.y) <= doubleClick_.twips;
  last_ = {at, ms, second, true};
  pressed_ = second ? -1 : forms::hitTest(form_, at);
  switchDown_ = !second;
}

void WindowInput::release(forms::TwipPoint at) {
  const int pressed = std::exchange(pressed_, -1);
  if (scanning_) {
    // Anywhere in the window is the switch, a double-click's second press
    // excepted, as a shaking hand makes one.
    if (std::exchange(switchDown_, false) && form_.visible()) switchPressed();
    return;
  }
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
    if (!reading::isSpeech(form_, slot)) continue;
    choosingRow_ = false;
    return focused_ = slot;
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

std::string_view WindowInput::grid() const {
  const auto& rows = form_.spec().controls;
  if (const int ring = this->ring(); ring >= 0 && rows[std::size_t(ring)].index != forms::kNotInArray) {
    return rows[std::size_t(ring)].name;
  }
  for (int slot : reachable()) {
    if (rows[std::size_t(slot)].index != forms::kNotInArray) return rows[std::size_t(slot)].name;
  }
  return {};
}

int WindowInput::at(std::string_view array, int row, int column) const {
  for (int slot : reachable()) {
    if (form_.spec().controls[std::size_t(slot)].name != array) continue;
    reading::ArrayPlace place = places_[std::size_t(slot)];
    if (place.row == row && place.column == column) return slot;
  }
  return -1;
}

void WindowInput::moveInGrid(int rows, int columns) {
  const std::string_view array = grid();
  if (array.empty()) return;
  if (ring() < 0 || form_.spec().controls[std::size_t(ring())].name != array) {
    moveToEnd(false);
    return;
  }
  int lastRow = 0, lastColumn = 0;
  for (std::size_t slot = 0; slot < form_.spec().controls.size(); ++slot) {
    if (form_.spec().controls[slot].name != array) continue;
    reading::ArrayPlace p = places_[slot];
    lastRow = std::max(lastRow, p.row);
    lastColumn = std::max(lastColumn, p.column);
  }
  // Past a place the keyboard cannot reach (a control hidden) to the next
  // one that way; at the edge the ring stays.
  const reading::ArrayPlace from = places_[std::size_t(focused_)];
  for (int row = from.row + rows, column = from.column + columns;
       row >= 1 && column >= 1 && row <= lastRow && column <= lastColumn; row += rows, column += columns) {
    if (const int slot = at(array, row, column); slot >= 0) {
      focused_ = slot;
      return;
    }
  }
}

void WindowInput::moveToEnd(bool last) {
  const std::string_view array = grid();
  int found = -1;
  for (int slot : reachable()) {
    if (form_.spec().controls[std::size_t(slot)].name != array) continue;
    found = slot;
    if (!last) break;
  }
  if (found >= 0) focused_ = found;
}

bool WindowInput::placeKey(int row, int column) {
  const std::string_view array = grid();
  if (array.empty()) return false;
  for (std::size_t s = 0; s < form_.spec().controls.size(); ++s) {
    if (form_.spec().controls[s].name != array) continue;
    reading::ArrayPlace place = places_[s];
    if (place.row != row + 1 || place.column != column + 1) continue;
    const forms::TwipRect r = form_.controls()[s].rect;
    program_.clickAt(form_, {r.left + r.width / 2, r.top + r.height / 2});
    return true;
  }
  return false;
}

bool WindowInput::isGridRow(int slot) const { return places_[std::size_t(slot)].grid; }

std::vector<int> WindowInput::rowOf(int slot) const {
  const std::string_view array = form_.spec().controls[std::size_t(slot)].name;
  const int row = places_[std::size_t(slot)].row;
  std::vector<int> places;
  for (int other : reachable()) {
    if (form_.spec().controls[std::size_t(other)].name == array && places_[std::size_t(other)].row == row) {
      places.push_back(other);
    }
  }
  return places;
}

std::vector<int> WindowInput::scanStops() const {
  std::vector<int> stops;
  for (int slot : reachable()) {
    if (!isGridRow(slot) || rowOf(slot).front() == slot) stops.push_back(slot);
  }
  return stops;
}

void WindowInput::scanStep() {
  if (choosingRow_ || ring() < 0 || !isGridRow(focused_)) {
    const std::vector<int> stops = scanStops();
    if (stops.empty()) return;
    // A ring on a place of a row stands at the row's stop.
    const int at = ring() >= 0 && isGridRow(focused_) ? rowOf(focused_).front() : ring();
    auto it = std::find(stops.begin(), stops.end(), at);
    focused_ = it == stops.end() || ++it == stops.end() ? stops.front() : *it;
    choosingRow_ = isGridRow(focused_);
    return;
  }
  // Along the chosen row; after its last place, the row is outlined again
  // and the scan goes on to the next.
  const std::vector<int> places = rowOf(focused_);
  auto it = std::find(places.begin(), places.end(), focused_);
  if (++it != places.end()) {
    focused_ = *it;
  } else {
    focused_ = places.front();
    choosingRow_ = true;
  }
}

void WindowInput::switchPressed() {
  if (ring() < 0) {
    // The scan has not come to anything yet, or its control went: the
    // switch starts it, rather than clicking blind.
    choosingRow_ = false;
    scanStep();
    return;
  }
  if (choosingRow_) {
    choosingRow_ = false;
    focused_ = rowOf(focused_).front();
    return;
  }
  // Back to choosing a row for the next click, the ring on the row's stop;
  // set before the click, which may close the window and this with it.
  const int chosen = focused_;
  choosingRow_ = isGridRow(chosen);
  if (choosingRow_) focused_ = rowOf(chosen).front();
  program_.click(form_, chosen);
}

std::optional<forms::TwipRect> WindowInput::ringArea() const {
  const int ring = this->ring();
  if (ring < 0) return std::nullopt;
  forms::TwipRect area = form_.controls()[std::size_t(ring)].rect;
  if (!choosingRow_) return area;
  for (int place : rowOf(ring)) {
    const forms::TwipRect r = form_.controls()[std::size_t(place)].rect;
    const float right = std::max(area.left + area.width, r.left + r.width);
    const float bottom = std::max(area.top + area.height, r.top + r.height);
    area.left = std::min(area.left, r.left);
    area.top = std::min(area.top, r.top);
    area.width = right - area.left;
    area.height = bottom - area.top;
  }
  return area;
}

bool WindowInput::key(Key key, bool repeat) {
  // A key that moves the ring takes it off the scan's row to a place.
  if (key != Key::Activate) choosingRow_ = false;
  switch (key) {
    case Key::Next: move(+1); return true;
    case Key::Previous: move(-1); return true;
    case Key::Left: moveInGrid(0, -1); return true;
    case Key::Right: moveInGrid(0, +1); return true;
    case Key::Up: moveInGrid(-1, 0); return true;
    case Key::Down: moveInGrid(+1, 0); return true;
    case Key::Home: moveToEnd(false); return true;
    case Key::End: moveToEnd(true); return true;
    case Key::Activate:
      // Like a double-click, a held key's repeats are no new clicks.
      if (repeat) return true;
      if (scanning_) {
        switchPressed();
      } else if (ring() >= 0) {
        program_.click(form_, focused_);
      }
      return true;
  }
  return false;
}

}  // namespace input
