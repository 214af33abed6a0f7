#include "accessibility_events.h"

#include <QAccessible>
#include <algorithm>

#include "accessible_reading.h"
#include "form_accessible.h"
#include "form_window.h"

namespace qtgui {

namespace {

QString qstr(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

template <class Event, class... Args>
void send(QAccessibleInterface* target, Args&&... args) {
  Event event(target, std::forward<Args>(args)...);
  sendAccessibilityEvent(event);
}

}  // namespace

void AccessibilityEvents::mark(forms::Form& form) {
  if (std::find(changed_.begin(), changed_.end(), &form) == changed_.end()) changed_.push_back(&form);
}

void AccessibilityEvents::formShown(forms::Form& form) {
  if (!accessibilityActive()) return;
  mark(form);
  shown_.push_back(&form);
}

void AccessibilityEvents::formHidden(forms::Form& form) {
  if (accessibilityActive()) mark(form);
}

void AccessibilityEvents::formUnloaded(forms::Form& form) {
  told_.erase(&form);
  std::erase(changed_, &form);
  std::erase(shown_, &form);
  std::erase_if(touched_, [&](const auto& t) { return t.first == &form; });
}

void AccessibilityEvents::controlChanged(forms::Form& form, int slot, forms::Property) {
  if (!accessibilityActive()) return;
  mark(form);
  touched_.emplace_back(&form, slot);
}

bool AccessibilityEvents::touched(const forms::Form& form, int slot) const {
  return slot >= 0 && std::find(touched_.begin(), touched_.end(), std::pair{&form, slot}) != touched_.end();
}

void AccessibilityEvents::eventHandled(forms::Cause cause) {
  const bool clicked = cause == forms::Cause::Click;
  if (!accessibilityActive()) {
    told_.clear();
    changed_.clear();
    shown_.clear();
    touched_.clear();
    return;
  }
  std::vector<forms::Form*> changed = std::exchange(changed_, {});
  std::vector<const forms::Form*> shown = std::exchange(shown_, {});
  for (forms::Form* form : changed) {
    FormWindow* window = windowOf_(*form);
    if (window == nullptr || !form->loaded()) continue;
    tell(*form, *window, std::find(shown.begin(), shown.end(), form) != shown.end(), clicked);
  }
  touched_.clear();
}

void AccessibilityEvents::tell(forms::Form& form, FormWindow& window, bool shown, bool clicked) {
  auto [entry, first] = told_.try_emplace(&form);
  FormTold& told = entry->second;
  if (first) {
    told.order = readingOrder(form);
    told.controls.resize(told.order.size());
  }
  std::vector<std::string> words;
  for (std::size_t i = 0; i < told.order.size(); ++i) {
    const int slot = told.order[i];
    const forms::ControlState& state = form.controls()[std::size_t(slot)];
    Told now{readableName(form, slot), readableDescription(form, slot), spokenText(form, slot), state.visible,
             state.enabled};
    Told before = std::exchange(told.controls[i], now);
    const bool setAgain = clicked && (touched(form, slot) || touched(form, lightOf(form, slot)));
    if (!now.spoken.empty() && (now.spoken != before.spoken || !before.visible || setAgain)) {
      words.push_back(now.spoken);
    }
    // A form seen for the first time has told nothing yet: its window is
    // new, and a client reads it whole.
    if (first) continue;
    QAccessibleInterface* object = window.accessibility().child(slot);
    // A button's own widget tells its visibility and state itself.
    const bool widget = window.buttonFor(slot) != nullptr;
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
  window.accessibility().syncFocus();
  if (!form.visible()) return;
  if (shown || first) {
    // A window coming to the front says its title and every text it shows.
    std::vector<std::string> texts{std::string(form.spec().caption)};
    for (std::size_t i = 0; i < told.order.size(); ++i) {
      if (readAs(form.spec(), told.order[i]) == ReadAs::Text && told.controls[i].visible)
        texts.push_back(told.controls[i].spoken);
    }
    window.accessibility().announce(qstr(joinSentences(texts)));
  } else if (!words.empty()) {
    // Also for the focused control: readers do not speak a label's new name.
    window.accessibility().announce(qstr(joinSentences(words)));
  }
}

}  // namespace qtgui
