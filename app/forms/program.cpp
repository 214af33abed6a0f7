#include "program.h"

#include <exception>

#include "stacking.h"

namespace forms {

Program::Program(Platform& platform, std::span<const PictureInfo> catalogue)
    : platform_(platform), runtime_(platform), pictures_(catalogue) {}

Program::~Program() = default;

void Program::install(FormId id, Factory factory) { factories_[index(id)] = std::move(factory); }

Form& Program::ref(FormId id) {
  auto& slot = forms_[index(id)];
  if (!slot) {
    const Factory& make = factories_[index(id)];
    if (!make) raise(ErrorKind::Internal, "no screen installed for " + std::string(formName(id)));
    slot = make(*this);
  }
  return *slot;
}

void Program::notifyShown(Form& form) {
  platform_.formShown(form);
  for (Watcher* w : watchers_) w->formShown(form);
}

void Program::notifyHidden(Form& form) {
  platform_.formHidden(form);
  for (Watcher* w : watchers_) w->formHidden(form);
}

void Program::notifyUnloaded(Form& form) {
  // Watchers read the controls one last time before the window goes.
  for (Watcher* w : watchers_) w->formUnloaded(form);
  platform_.formUnloaded(form);
}

void Program::notifyChanged(Form& form, int slot, TwipRect area, Property what) {
  platform_.controlChanged(form, slot, area);
  for (Watcher* w : watchers_) w->controlChanged(form, slot, what);
}

void Program::notifyRewritten(Form& form, int slot, Property what) {
  for (Watcher* w : watchers_) w->controlRewritten(form, slot, what);
}

bool Program::anyLoaded() const {
  for (const auto& form : forms_) {
    if (form && form->loaded()) return true;
  }
  return false;
}

template <class Handler>
void Program::dispatch(Cause cause, Handler&& handler) {
  if (ended_) return;
  if (inHandler_) {
    ++reentrantEvents_;
    return;
  }
  inHandler_ = true;
  ++eventsHandled_;
  std::string error;
  try {
    handler();
  } catch (const std::exception& e) {
    error = e.what();
  } catch (...) {
    error = "unknown error";
  }
  inHandler_ = false;
  if (!error.empty()) {
    fail(error);
  } else if (!anyLoaded()) {
    ended_ = true;
    exitCode_ = 0;
    platform_.quit(0);
  }
  for (Watcher* w : watchers_) w->eventHandled(cause);
}

void Program::fail(const std::string& message) {
  ended_ = true;
  exitCode_ = 1;
  platform_.reportError(message);
  platform_.quit(1);
}

void Program::start() {
  dispatch(Cause::Start, [&] { ref(FormId::starter).show(); });
}

void Program::click(Form& form, int slot) {
  if (!form.visible() || slot < 0 || static_cast<std::size_t>(slot) >= form.controls().size()) return;
  const ControlState& state = form.controls()[static_cast<std::size_t>(slot)];
  if (!state.visible || !state.enabled) return;
  dispatch(Cause::Click, [&] { form.deliverClick(slot); });
}

void Program::clickAt(Form& form, TwipPoint point) {
  if (!form.visible()) return;
  int slot = hitTest(form, point);
  if (slot >= 0) click(form, slot);
}

void Program::tick(Form& form, int slot, std::uint32_t generation) {
  // A tick started before an unload or reload belongs to a timer that no
  // longer exists.
  if (!form.loaded() || form.generation() != generation) return;
  const ControlState& state = form.controls().at(static_cast<std::size_t>(slot));
  if (!state.enabled || state.interval <= 0) return;
  dispatch(Cause::Tick, [&] { form.deliverTimer(slot); });
}

void Program::closeWindow(Form& form) {
  if (!form.loaded()) return;
  dispatch(Cause::Close, [&] { form.unload(); });
}

}  // namespace forms
