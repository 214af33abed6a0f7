#include "announcer.h"

#include <algorithm>
#include <string>

namespace web {

void Announcer::note(forms::Form& form, int slot) {
  std::pair<forms::Form*, int> control{&form, slot};
  if (std::find(changed_.begin(), changed_.end(), control) == changed_.end()) changed_.push_back(control);
}

void Announcer::formShown(forms::Form& form) {
  const auto& rows = form.spec().controls;
  for (std::size_t slot = 0; slot < rows.size(); ++slot) {
    if (rows[slot].kind == forms::Kind::Label && form.takesClick(static_cast<int>(slot))) {
      note(form, static_cast<int>(slot));
    }
  }
}

void Announcer::controlChanged(forms::Form& form, int slot, forms::Property what) {
  if (what != forms::Property::Caption && what != forms::Property::Visible) return;
  if (form.spec().controls[static_cast<std::size_t>(slot)].kind != forms::Kind::Label) return;
  note(form, slot);
}

void Announcer::formUnloaded(forms::Form& form) {
  std::erase_if(changed_, [&](const auto& c) { return c.first == &form; });
}

void Announcer::eventHandled(forms::Cause) {
  std::string text;
  for (auto [form, slot] : changed_) {
    if (!form->visible()) continue;
    const forms::ControlState& state = form->controls()[static_cast<std::size_t>(slot)];
    if (!state.visible || state.text.empty()) continue;
    if (!text.empty()) text += ' ';
    text += state.text;
  }
  changed_.clear();
  if (!text.empty()) page_.announce(text);
}

}  // namespace web
