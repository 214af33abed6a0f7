#include "window_accessibility.h"

#include "form_window.h"

namespace qtgui {

WindowAccessibility::~WindowAccessibility() {
  for (auto& [slot, id] : ids_) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* WindowAccessibility::control(int slot) const {
  auto it = ids_.find(slot);
  if (it == ids_.end()) {
    auto* control = new ControlAccessible(&window_, slot);
    it = ids_.emplace(slot, QAccessible::registerAccessibleInterface(control)).first;
  }
  return QAccessible::accessibleInterface(it->second);
}

QAccessibleInterface* WindowAccessibility::child(int slot) const {
  if (QPushButton* button = window_.buttonFor(slot)) return QAccessible::queryAccessibleInterface(button);
  return control(slot);
}

QAccessibleInterface* WindowAccessibility::statusLine(StatusAccessible::Part part) const {
  const int key = part == StatusAccessible::Part::Line ? -1 : -2;
  auto it = ids_.find(key);
  if (it == ids_.end()) {
    auto* object = new StatusAccessible(&window_, part);
    it = ids_.emplace(key, QAccessible::registerAccessibleInterface(object)).first;
  }
  return QAccessible::accessibleInterface(it->second);
}

void WindowAccessibility::announce(QString words) {
  if (words.isEmpty() || !accessibilityActive()) return;
  if (!window_.isActiveWindow()) {
    waitingWords_ = words;
    return;
  }
  waitingWords_.clear();
  announcement_ = std::move(words);
  QAccessibleInterface* notification = statusLine(StatusAccessible::Part::Notification);
  QAccessibleEvent named(notification, QAccessible::NameChanged);
  sendAccessibilityEvent(named);
  QAccessibleEvent shown(notification, QAccessible::ObjectShow);
  sendAccessibilityEvent(shown);
}

void WindowAccessibility::syncFocus() {
  if (!accessibilityActive() || !window_.isActiveWindow()) return;
  const int ring = window_.ringSlot();
  if (ring == focusToldSlot_) return;
  focusToldSlot_ = ring;
  QAccessibleEvent event(ring >= 0 ? child(ring) : QAccessible::queryAccessibleInterface(&window_),
                         QAccessible::Focus);
  sendAccessibilityEvent(event);
}

void WindowAccessibility::windowFocused() {
  focusToldSlot_ = -1;
  syncFocus();
  if (!waitingWords_.isEmpty()) announce(std::exchange(waitingWords_, {}));
}

}  // namespace qtgui
