#include "accessibility_events.h"

#include <QAccessible>
#include <QApplication>
#include <algorithm>

#include "form_accessible.h"
#include "form_window.h"
#include "reading/reading_model.h"

namespace qtgui {

namespace {

QString qstr(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

template <class Event, class... Args>
void send(QAccessibleInterface* target, Args&&... args) {
  Event event(target, std::forward<Args>(args)...);
  sendAccessibilityEvent(event);
}

QStringList qstrings(const std::vector<std::string>& texts) {
  QStringList out;
  for (const std::string& t : texts) out << qstr(t);
  return out;
}

}  // namespace

bool AccessibilityEvents::listening() const { return accessibilityActive(); }

void AccessibilityEvents::touch(FormWindow* window) {
  if (std::find(told_.begin(), told_.end(), window) == told_.end()) told_.push_back(window);
}

void AccessibilityEvents::controlRead(forms::Form& form, int slot, const reading::ControlReading& before,
                                      const reading::ControlReading& now) {
  FormWindow* window = windowOf_(form);
  if (window == nullptr) return;
  touch(window);
  QAccessibleInterface* object = window->accessibility().child(slot);
  // A button's own widget tells its visibility and state itself.
  const bool widget = window->buttonFor(slot) != nullptr;
  if (!widget && now.visible != before.visible) {
    send<QAccessibleEvent>(object, now.visible ? QAccessible::ObjectShow : QAccessible::ObjectHide);
  }
  if (!widget && now.enabled != before.enabled) {
    QAccessible::State disabled;
    disabled.disabled = true;
    send<QAccessibleStateChangeEvent>(object, disabled);
  }
  if (now.name != before.name) {
    send<QAccessibleEvent>(object, QAccessible::NameChanged);
    if (object->textInterface() != nullptr) {
      send<QAccessibleTextUpdateEvent>(object, 0, qstr(before.name), qstr(now.name));
    }
  }
  if (now.description != before.description) send<QAccessibleEvent>(object, QAccessible::DescriptionChanged);
}

void AccessibilityEvents::windowFront(forms::Form& form, std::string_view, const std::vector<std::string>& texts) {
  FormWindow* window = windowOf_(form);
  if (window == nullptr) return;
  touch(window);
  // A window coming up puts the ring on its speech for a child who plays by
  // keyboard, so that Space answers at once; the focus reads it, so it is
  // not said twice. The title is read by the desktop as the window takes
  // the focus.
  const QWidgetList windows = QApplication::topLevelWidgets();
  const bool keyboard = std::any_of(windows.begin(), windows.end(), [](QWidget* w) {
    auto* other = qobject_cast<FormWindow*>(w);
    return other != nullptr && other->keyboardUsed();
  });
  QString focused;
  if (const int speech = keyboard ? window->ringToSpeech() : -1; speech >= 0) {
    focused = qstr(reading::readControl(form, speech).name);
  }
  window->accessibility().announceNow(std::exchange(leftOver_, {}));
  QStringList messages;
  for (const QString& text : qstrings(texts)) {
    if (text != focused) messages << text;
  }
  window->accessibility().announce(messages);
}

void AccessibilityEvents::say(forms::Form& form, const std::vector<std::string>& messages) {
  FormWindow* window = windowOf_(form);
  if (window == nullptr) return;
  if (!window->isVisible()) {
    // Gone from the screen with its last words (the winning pair): they are
    // said by the window that comes next.
    leftOver_ << qstrings(messages);
    return;
  }
  touch(window);
  window->accessibility().announce(qstrings(messages));
}

void AccessibilityEvents::eventTold() {
  // Last words no window came up to say go to the one in front.
  const QStringList left = std::exchange(leftOver_, {});
  auto* front = qobject_cast<FormWindow*>(QApplication::activeWindow());
  if (!left.isEmpty() && front != nullptr) front->accessibility().announce(left);
  for (FormWindow* window : std::exchange(told_, {})) window->accessibility().syncFocus();
}

}  // namespace qtgui
