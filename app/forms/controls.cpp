#include "controls.h"

#include <stdexcept>

#include "form.h"

namespace forms {

ControlRef::ControlRef(Form& form, std::string_view name, int index)
    : form_(&form), slot_(form.spec().find(name, index)) {
  // A handle names a control its own layout lacks: a programming error that
  // every screen's tests reach when they make the form.
  if (slot_ < 0) throw std::logic_error("no control " + std::string(name) + " on " + std::string(form.name()));
}

const ControlSpec& ControlRef::spec() const { return form_->spec().controls[static_cast<std::size_t>(slot_)]; }

const ControlState& ControlRef::read() const { return form_->touch(slot_); }

template <class Change>
void ControlRef::write(Property what, Change&& change) {
  ControlState& state = form_->touchForWrite(slot_);
  TwipRect before = state.rect;
  if (change(state)) {
    form_->changed(slot_, before.united(state.rect), what);
  } else {
    form_->rewritten(slot_, what);
  }
}

void ControlRef::setVisible(bool visible) {
  write(Property::Visible, [&](ControlState& s) { return std::exchange(s.visible, visible) != visible; });
}

void Label::setCaption(std::string caption) {
  write(Property::Caption, [&](ControlState& s) {
    if (s.text == caption) return false;
    s.text = std::move(caption);
    return true;
  });
}

void Image::setPicture(const Picture& picture) {
  write(Property::Picture, [&](ControlState& s) {
    if (s.picture == picture) return false;
    s.picture = picture;
    if (!picture.empty()) {
      s.rect.width = static_cast<float>(picture.width()) * kTwipsPerPixel;
      s.rect.height = static_cast<float>(picture.height()) * kTwipsPerPixel;
    }
    return true;
  });
}

void Image::setLeft(float left) {
  write(Property::Position, [&](ControlState& s) { return std::exchange(s.rect.left, left) != left; });
}

void CommandButton::setEnabled(bool enabled) {
  write(Property::Enabled, [&](ControlState& s) { return std::exchange(s.enabled, enabled) != enabled; });
}

void TextBox::setText(std::string text) {
  write(Property::Text, [&](ControlState& s) {
    if (s.text == text) return false;
    s.text = std::move(text);
    return true;
  });
}

void Timer::setInterval(int milliseconds) {
  if (milliseconds < 0 || milliseconds > 65535) raise(ErrorKind::Overflow, "interval " + std::to_string(milliseconds));
  form().touchForWrite(slot()).interval = milliseconds;
  // Every write restarts the count, on both platforms alike.
  form().timerChanged(slot());
}

template <class Element>
ControlArray<Element>::ControlArray(Form& form, std::string_view name) : form_(&form), name_(name) {
  const auto& controls = form.spec().controls;
  for (std::size_t slot = 0; slot < controls.size(); ++slot) {
    if (controls[slot].name == name && controls[slot].index != kNotInArray) {
      elements_.emplace_back(controls[slot].index, static_cast<int>(slot));
    }
  }
  if (elements_.empty()) throw std::logic_error("no control array " + std::string(name) + " on " + std::string(form.name()));
}

template <class Element>
Element ControlArray<Element>::operator()(int index) const {
  for (auto [i, slot] : elements_) {
    if (i == index) return Element(*form_, slot);
  }
  raise(ErrorKind::OutOfRange, std::string(name_) + "(" + std::to_string(index) + ")");
}

template <class Element>
bool ControlArray<Element>::holds(int slot) const {
  for (auto [i, s] : elements_) {
    if (s == slot) return true;
  }
  return false;
}

template class ControlArray<Image>;
template class ControlArray<Shape>;
template class ControlArray<Line>;

}  // namespace forms
