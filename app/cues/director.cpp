#include "director.h"

#include <algorithm>

#include "speech.h"
#include "voice_catalogue.h"

namespace cues {

using forms::Form;
using forms::Property;

Director::Director(forms::Program& program, CuePlayer& player) : program_(program), player_(player) {}

Director::Screen& Director::screen(const Form& form) {
  Screen& s = screens_[static_cast<std::size_t>(form.id())];
  if (s.resolved) return s;
  s.resolved = true;
  const auto& controls = form.spec().controls;
  for (const CueRule& rule : cueRules()) {
    if (rule.screen != form.id()) continue;
    if (rule.control.empty()) s.watched.push_back({&rule, -1, 0});
    for (std::size_t slot = 0; slot < controls.size(); ++slot) {
      if (controls[slot].name == rule.control) {
        s.watched.push_back({&rule, static_cast<int>(slot), controls[slot].index});
      }
    }
  }
  s.touched.assign(controls.size(), 0);
  s.heard.assign(controls.size(), {});
  return s;
}

void Director::setMuted(bool muted) {
  if (muted && !muted_) player_.silence();
  muted_ = muted;
}

void Director::formShown(Form& form) {
  if (!ended_) screen(form).shown = true;
}

void Director::formUnloaded(Form& form) {
  Screen& s = screen(form);
  std::fill(s.heard.begin(), s.heard.end(), std::string{});  // not ranges: the browser build's library lacks them
}

void Director::controlChanged(Form& form, int slot, Property what) {
  if (ended_) return;
  Screen& s = screen(form);
  if (s.watched.empty()) return;
  std::uint8_t& touched = s.touched[static_cast<std::size_t>(slot)];
  switch (what) {
    case Property::Visible:
      if (form.controls()[static_cast<std::size_t>(slot)].visible) touched |= Appeared;
      break;
    case Property::Caption:
    case Property::Text: touched |= TextChanged; break;
    case Property::Picture: touched |= PictureChanged; break;
    case Property::Position:
    case Property::Enabled: break;
  }
}

void Director::eventHandled(forms::Cause) {
  if (ended_) return;
  if (program_.ended()) {
    // Nothing is heard after the end, not even the rest of a sentence.
    ended_ = true;
    player_.silence();
    return;
  }
  saidThisEvent_ = false;
  for (forms::FormId id : {forms::FormId::starter, forms::FormId::menu, forms::FormId::carder,
                           forms::FormId::patternform, forms::FormId::hit, forms::FormId::Form1}) {
    Screen& s = screens_[static_cast<std::size_t>(id)];
    if (!s.resolved) continue;
    if (const Form* form = program_.find(id); form && form->visible()) settle(*form, s);
    s.shown = false;
    std::fill(s.touched.begin(), s.touched.end(), 0);
  }
}

void Director::settle(const Form& form, Screen& s) {
  const auto& controls = form.controls();
  const CueRule* played = nullptr;  // a rule sounds once an event, however many elements it covers
  for (const Watched& w : s.watched) {
    const CueRule& rule = *w.rule;
    if (rule.change == Change::ComesOnScreen) {
      if (s.shown) play(rule.sound);
      continue;
    }
    const auto slot = static_cast<std::size_t>(w.slot);
    const forms::ControlState& state = controls[slot];
    const std::uint8_t touched = s.touched[slot];
    switch (rule.change) {
      case Change::Speaks: {
        if (!state.visible || state.text.empty()) break;
        const bool fresh = s.shown || (touched & Appeared);
        if (!fresh && !(touched & TextChanged)) break;
        std::string said = spoken(state.text);
        if (!fresh && said == s.heard[slot]) break;
        s.heard[slot] = said;
        say(state.text, std::move(said));
        break;
      }
      case Change::Appears:
        if ((touched & Appeared) && state.visible) {
          if (rule.noteOfIndex) {
            play(static_cast<Sound>(static_cast<int>(Sound::note_0) + w.index));
          } else if (played != &rule) {
            play(rule.sound);
            played = &rule;
          }
        }
        break;
      case Change::GetsAPicture:
      case Change::GoesBlank:
        if ((touched & PictureChanged) && state.picture.empty() == (rule.change == Change::GoesBlank) &&
            played != &rule) {
          play(rule.sound);
          played = &rule;
        }
        break;
      case Change::TextArrives:
        if ((touched & TextChanged) && state.text.starts_with(rule.text)) play(rule.sound);
        break;
      case Change::ComesOnScreen: break;
    }
  }
}

void Director::play(Sound sound) {
  if (!muted_) player_.play(sound);
}

void Director::say(const std::string& written, std::string spokenText) {
  if (muted_) return;
  player_.say({written, std::move(spokenText), clipsFor(written)}, saidThisEvent_ ? Turn::Follow : Turn::Interrupt);
  saidThisEvent_ = true;
}

}  // namespace cues
