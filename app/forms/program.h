#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "form.h"
#include "picture.h"
#include "platform.h"
#include "runtime.h"
#include "watcher.h"

namespace forms {

// The registry of the six forms and the dispatcher of their events.
//
// A form is created at its first reference and never released. Click, Timer
// and close events run one at a time, each handler to its end; a run-time
// error abandons the handler and ends the program through the platform's
// error report; and the program ends when an event leaves no form loaded.
class Program {
 public:
  using Factory = std::function<std::unique_ptr<Form>(Program&)>;

  Program(Platform& platform, std::span<const PictureInfo> catalogue);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  void install(FormId id, Factory factory);

  // The single instance, created on first reference.
  Form& ref(FormId id);
  template <class F>
  F& ref() { return static_cast<F&>(ref(F::id)); }
  // The instance if it exists; never creates it.
  Form* find(FormId id) const { return forms_[index(id)].get(); }
  bool anyLoaded() const;

  Platform& platform() const { return platform_; }
  // Adds a follower of every change, until it leaves with `unwatch`.
  void watch(Watcher& watcher) { watchers_.push_back(&watcher); }
  void unwatch(Watcher& watcher) { std::erase(watchers_, &watcher); }
  // The form layer's changes, told to the platform and then to the watchers.
  void notifyShown(Form& form);
  void notifyHidden(Form& form);
  void notifyUnloaded(Form& form);
  void notifyChanged(Form& form, int slot, TwipRect area, Property what);
  void notifyRewritten(Form& form, int slot, Property what);
  Runtime& runtime() { return runtime_; }
  const Pictures& pictures() const { return pictures_; }

  // Events from the platform.
  void start();                               // create, load and show `starter`
  void click(Form& form, int slot);           // a click that already hit `slot`
  void clickAt(Form& form, TwipPoint point);  // a click to hit-test
  void tick(Form& form, int slot, std::uint32_t generation);
  void closeWindow(Form& form);               // the window's close button

  // Ends the program through the one error report, for a failure outside
  // any handler (a resource that cannot be made ready).
  void abort(const std::string& message) {
    if (!ended_) fail(message);
  }

  bool ended() const { return ended_; }
  int exitCode() const { return exitCode_; }
  bool inHandler() const { return inHandler_; }
  std::uint64_t eventsHandled() const { return eventsHandled_; }
  // Events that arrived while a handler was running and were dropped; the
  // platforms never deliver one, and the monkey test holds them to that.
  std::uint64_t reentrantEvents() const { return reentrantEvents_; }

 private:
  static std::size_t index(FormId id) { return static_cast<std::size_t>(id); }
  template <class Handler>
  void dispatch(Cause cause, Handler&& handler);
  void fail(const std::string& message);

  Platform& platform_;
  std::vector<Watcher*> watchers_;
  Runtime runtime_;
  Pictures pictures_;
  std::array<Factory, kFormCount> factories_;
  std::array<std::unique_ptr<Form>, kFormCount> forms_;
  bool ended_ = false;
  bool inHandler_ = false;
  int exitCode_ = 0;
  std::uint64_t eventsHandled_ = 0;
  std::uint64_t reentrantEvents_ = 0;
};

}  // namespace forms

template <class F>
F& forms::Form::form() const {
  return program_.ref<F>();
}
