#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "control_state.h"
#include "controls.h"
#include "int16.h"
#include "layout.h"
#include "watcher.h"

namespace forms {

class Program;
class Runtime;

// The six forms, in the order of the registry.
enum class FormId { menu, starter, carder, patternform, hit, Form1 };
inline constexpr int kFormCount = 6;
std::string_view formName(FormId id);

enum class FormState { Created, LoadedHidden, LoadedVisible };

// One screen: a stored layout, controls that exist only while it is loaded,
// and form-level variables (members of the subclass) that outlive unloads.
//
// Show, Hide and Unload act at once, nested inside whatever handler calls
// them, and run Form_Load and Form_Unload on the spot.
class Form {
 public:
  Form(Program& program, FormId id, const FormSpec& spec);
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  FormId id() const { return id_; }
  std::string_view name() const { return formName(id_); }
  const FormSpec& spec() const { return spec_; }
  FormState state() const { return state_; }
  bool loaded() const { return state_ != FormState::Created; }
  bool visible() const { return state_ == FormState::LoadedVisible; }
  bool unloading() const { return unloading_; }
  // Counts loads, so that a tick started before a reload can be told apart.
  std::uint32_t generation() const { return generation_; }

  // Loads the form if needed, makes it visible and brings it to the front.
  // A form whose own unload is running stays on its way out: the unload has
  // the last word, so no window can outlive its form.
  void show();
  // Loads the form if needed; a hidden form stays loaded with its timers.
  void hide();
  // Runs Form_Unload and destroys the controls. Nothing if not loaded, or if
  // this form's unload is already running further up the stack.
  void unload();

  Program& program() const { return program_; }

  // The controls as they are now, for painting and inspection; never loads.
  const std::vector<ControlState>& controls() const { return controls_; }

  // For control handles: the state of a control, loading the form first.
  const ControlState& touch(int slot);
  ControlState& touchForWrite(int slot);
  void changed(int slot, TwipRect area, Property what);
  void rewritten(int slot, Property what);
  void timerChanged(int slot);

  // Whether a Click of the control reaches a handler.
  bool takesClick(int slot) const { return static_cast<bool>(clickHandlers_.at(static_cast<std::size_t>(slot))); }

  // Event entry points used by the dispatcher.
  void deliverClick(int slot);
  void deliverTimer(int slot);

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload(Int16& Cancel) { (void)Cancel; }

  // Binds the game's handlers to their controls' events; an event without a
  // handler is ignored.
  void onClick(const ControlRef& control, std::function<void()> handler);
  template <class Element>
  void onClick(const ControlArray<Element>& array, std::function<void(Int16 Index)> handler);
  void onTimer(const ControlRef& timer, std::function<void()> handler);

  template <class F>
  F& form() const;
  Form& form(FormId id) const;

  // The runtime operations, as the handlers name them.
  void Randomize();
  double Rnd();

 private:
  void load();

  Program& program_;
  FormId id_;
  const FormSpec& spec_;
  FormState state_ = FormState::Created;
  bool unloading_ = false;
  std::uint32_t generation_ = 0;
  std::vector<ControlState> controls_;
  std::vector<std::function<void()>> clickHandlers_;
  std::vector<std::function<void()>> timerHandlers_;
};

template <class Element>
void Form::onClick(const ControlArray<Element>& array, std::function<void(Int16 Index)> handler) {
  for (auto [index, slot] : array.elements()) {
    clickHandlers_.at(static_cast<std::size_t>(slot)) = [handler, index = index] { handler(index); };
  }
}

}  // namespace forms
