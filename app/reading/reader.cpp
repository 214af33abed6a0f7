#include "reader.h"

#include <algorithm>

#include "screen_reading.h"

namespace reading {

void Reader::mark(forms::Form& form) {
  if (std::find(changed_.begin(), changed_.end(), &form) == changed_.end()) changed_.push_back(&form);
}

void Reader::formShown(forms::Form& form) {
  if (!presenter_.listening()) return;
  mark(form);
  shown_.push_back(&form);
}

void Reader::formHidden(forms::Form& form) {
  if (!presenter_.listening()) return;
  mark(form);
  hidden_.push_back(&form);
}

void Reader::formUnloaded(forms::Form& form) {
  // Its controls are rebuilt at the next load: it is read afresh then.
  told_.erase(&form);
  std::erase(changed_, &form);
  std::erase(shown_, &form);
  std::erase(hidden_, &form);
  std::erase_if(touched_, [&](const auto& t) { return t.first == &form; });
}

void Reader::controlChanged(forms::Form& form, int slot, forms::Property) {
  if (!presenter_.listening()) return;
  mark(form);
  touched_.emplace_back(&form, slot);
}

void Reader::controlRewritten(forms::Form& form, int slot, forms::Property what) {
  controlChanged(form, slot, what);
}

bool Reader::touched(const forms::Form& form, int slot) const {
  return slot >= 0 && std::find(touched_.begin(), touched_.end(), std::pair{&form, slot}) != touched_.end();
}

void Reader::eventHandled(forms::Cause cause) {
  if (!presenter_.listening()) {
    told_.clear();
    changed_.clear();
    shown_.clear();
    hidden_.clear();
    touched_.clear();
    return;
  }
  std::vector<forms::Form*> changed = std::exchange(changed_, {});
  std::vector<const forms::Form*> shown = std::exchange(shown_, {});
  std::vector<const forms::Form*> hidden = std::exchange(hidden_, {});
  // Forms that went from the screen first, so that their last words come
  // before the window that takes their place.
  std::stable_partition(changed.begin(), changed.end(), [](const forms::Form* f) { return !f->visible(); });
  for (forms::Form* form : changed) {
    if (!form->loaded()) continue;
    const bool wasShown = std::find(shown.begin(), shown.end(), form) != shown.end();
    const bool wentAway = std::find(hidden.begin(), hidden.end(), form) != hidden.end();
    tell(*form, wasShown, wentAway, cause == forms::Cause::Click);
  }
  touched_.clear();
  if (!changed.empty()) presenter_.eventTold();
}

void Reader::tell(forms::Form& form, bool shown, bool wentAway, bool clicked) {
  auto [entry, first] = told_.try_emplace(&form);
  FormTold& told = entry->second;
  if (first) {
    told.order = readingOrder(form);
    told.controls.resize(told.order.size());
  }
  std::vector<std::string> words;
  std::vector<ControlReading> readings;
  for (std::size_t i = 0; i < told.order.size(); ++i) {
    const int slot = told.order[i];
    Told now{readControl(form, slot), spokenText(form, slot)};
    Told before = std::exchange(told.controls[i], now);
    const bool setAgain = clicked && (touched(form, slot) || touched(form, lightOf(form, slot)));
    if (!now.spoken.empty() && (now.spoken != before.spoken || !before.reading.visible || setAgain)) {
      words.push_back(now.spoken);
    }
    if (first) {
      readings.push_back(now.reading);
    } else if (now.reading != before.reading) {
      presenter_.controlRead(form, slot, before.reading, now.reading);
    }
  }
  if (first) presenter_.formRead(form, told.order, readings);
  if (form.visible() && (shown || first)) {
    // A window coming to the front is read whole: the texts it shows say
    // all that changed with it.
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < told.order.size(); ++i) {
      const Told& t = told.controls[i];
      if (t.reading.role == Role::Text && t.reading.visible && !t.spoken.empty()) texts.push_back(t.spoken);
    }
    presenter_.windowFront(form, form.spec().caption, texts);
  } else if (!words.empty() && !first && (form.visible() || (wentAway && lastWordsHeard(form.id())))) {
    // A game that went from the screen in this event still says its last
    // move's answer; a form out of sight says nothing.
    presenter_.say(form, words);
  }
}

}  // namespace reading
