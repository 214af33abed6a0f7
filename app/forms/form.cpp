#include "form.h"

#include "program.h"

namespace forms {

std::string_view formName(FormId id) {
  switch (id) {
    case FormId::menu: return "menu";
    case FormId::starter: return "starter";
    case FormId::carder: return "carder";
    case FormId::patternform: return "patternform";
    case FormId::hit: return "hit";
    case FormId::Form1: return "Form1";
  }
  return "?";
}

Form::Form(Program& program, FormId id, const FormSpec& spec)
    : program_(program),
      id_(id),
      spec_(spec),
      clickHandlers_(spec.controls.size()),
      timerHandlers_(spec.controls.size()) {}

void Form::onClick(const ControlRef& control, std::function<void()> handler) {
  clickHandlers_.at(static_cast<std::size_t>(control.slot())) = std::move(handler);
}

void Form::onTimer(const ControlRef& timer, std::function<void()> handler) {
  timerHandlers_.at(static_cast<std::size_t>(timer.slot())) = std::move(handler);
}

void Form::deliverClick(int slot) {
  if (const auto& handler = clickHandlers_.at(static_cast<std::size_t>(slot))) handler();
}

void Form::deliverTimer(int slot) {
  if (const auto& handler = timerHandlers_.at(static_cast<std::size_t>(slot))) handler();
}

void Form::load() {
  const Pictures& pictures = program_.pictures();
  std::vector<ControlState> controls;
  controls.reserve(spec_.controls.size());
  for (const ControlSpec& row : spec_.controls) {
    ControlState state;
    state.text = std::string(row.text);
    state.picture = pictures.get(row.picture);
    state.rect = row.rect;
    if (!state.picture.empty()) {
      state.rect.width = static_cast<float>(state.picture.width()) * kTwipsPerPixel;
      state.rect.height = static_cast<float>(state.picture.height()) * kTwipsPerPixel;
    }
    state.visible = row.visible;
    state.enabled = row.enabled;
    state.interval = row.interval;
    controls.push_back(std::move(state));
  }
  controls_ = std::move(controls);
  state_ = FormState::LoadedHidden;
  ++generation_;
  program_.platform().formLoaded(*this);
  Form_Load();
}

void Form::show() {
  if (unloading_) return;
  if (!loaded()) load();
  state_ = FormState::LoadedVisible;
  program_.notifyShown(*this);
}

void Form::hide() {
  if (!loaded()) load();
  if (state_ != FormState::LoadedVisible) return;
  state_ = FormState::LoadedHidden;
  program_.notifyHidden(*this);
}

void Form::unload() {
  if (!loaded() || unloading_) return;
  unloading_ = true;
  Int16 cancel = 0;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{unloading_};
  Form_Unload(cancel);
  if (cancel != 0) return;
  program_.notifyUnloaded(*this);
  state_ = FormState::Created;
  controls_.clear();
}

const ControlState& Form::touch(int slot) { return touchForWrite(slot); }

ControlState& Form::touchForWrite(int slot) {
  if (!loaded()) load();
  return controls_.at(static_cast<std::size_t>(slot));
}

void Form::changed(int slot, TwipRect area, Property what) {
  const ControlSpec& row = spec_.controls[static_cast<std::size_t>(slot)];
  if (row.kind == Kind::Timer) return;
  program_.notifyChanged(*this, slot, area, what);
}

void Form::rewritten(int slot, Property what) {
  if (spec_.controls[static_cast<std::size_t>(slot)].kind != Kind::Timer) program_.notifyRewritten(*this, slot, what);
}

void Form::timerChanged(int slot) { program_.platform().timerChanged(*this, slot); }

Form& Form::form(FormId id) const { return program_.ref(id); }

void Form::Randomize() { program_.runtime().Randomize(); }
double Form::Rnd() { return program_.runtime().Rnd(); }

}  // namespace forms
