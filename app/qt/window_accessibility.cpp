#include "window_accessibility.h"

#include <QTimer>

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

QAccessibleInterface* WindowAccessibility::object(int key, int notification) const {
  auto it = ids_.find(key);
  if (it == ids_.end()) {
    auto* object = new StatusAccessible(&window_, notification);
    it = ids_.emplace(key, QAccessible::registerAccessibleInterface(object)).first;
  }
  return QAccessible::accessibleInterface(it->second);
}

QAccessibleInterface* WindowAccessibility::statusLine() const { return object(-1, -1); }

QAccessibleInterface* WindowAccessibility::notification(int index) const { return object(-2 - index, index); }

QStringList WindowAccessibility::lastMessages(int count) const {
  QStringList out;
  for (int i = count; i > 0; --i) {
    const QString& m = messages_[std::size_t((next_ - i + 2 * kNotifications) % kNotifications)];
    if (!m.isEmpty()) out << m;
  }
  return out;
}

void WindowAccessibility::announce(const QStringList& messages) {
  if (messages.isEmpty() || !accessibilityActive()) return;
  if (!window_.isActiveWindow()) {
    waiting_ << messages;
    return;
  }
  announceNow(messages);
}

void WindowAccessibility::announceNow(const QStringList& messages) {
  if (!accessibilityActive()) return;
  for (const QString& words : messages) {
    if (words.isEmpty()) continue;
    const int index = next_;
    next_ = (next_ + 1) % kNotifications;
    messages_[std::size_t(index)] = words;
    QAccessibleInterface* object = notification(index);
    QAccessibleEvent named(object, QAccessible::NameChanged);
    sendAccessibilityEvent(named);
    QAccessibleEvent shown(object, QAccessible::ObjectShow);
    sendAccessibilityEvent(shown);
  }
}

void WindowAccessibility::syncFocus() {
  if (windowBeingTold_ || !accessibilityActive() || !window_.isActiveWindow()) return;
  const int ring = window_.ringSlot();
  if (ring == focusToldSlot_) return;
  focusToldSlot_ = ring;
  QAccessibleEvent event(ring >= 0 ? child(ring) : QAccessible::queryAccessibleInterface(&window_),
                         QAccessible::Focus);
  sendAccessibilityEvent(event);
}

void WindowAccessibility::windowFocused() {
  focusToldSlot_ = -1;
  // Qt tells a client that the window has the focus once its focus-in
  // event has been handled: the control under the ring is told after that,
  // or the window would be the last word. A ring put on a control in the
  // meantime (the scan's first stop) waits for it too.
  windowBeingTold_ = true;
  QTimer::singleShot(0, &window_, [this] {
    windowBeingTold_ = false;
    syncFocus();
    if (!waiting_.isEmpty()) announce(std::exchange(waiting_, {}));
  });
}

}  // namespace qtgui
