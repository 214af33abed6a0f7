#include "director.h"

#include <algorithm>
#include <cmath>

#include "progress_words.h"
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

namespace {

// What an event did to a control, as far as cues care.
enum Touch : std::uint8_t { Appeared = 1, TextChanged = 2, PictureChanged = 4 };

// How far towards the left or right speaker the outer columns sit: not all
// the way, so a child who hears less on one side still hears every place.
constexpr float kSpread = 0.8f;
// Semitones between two rows of a grid whose rows are pitched.
constexpr float kRowStep = 2;

float panOf(int column, int columns) {
  return columns > 1 ? kSpread * (2.0f * static_cast<float>(column) / static_cast<float>(columns - 1) - 1) : 0;
}

// Whether an element's change this event is one its rule sounds for.
bool soundsNow(const CueRule& rule, std::uint8_t touched, const forms::ControlState& state) {
  switch (rule.change) {
    case Change::Appears: return (touched & Appeared) && state.visible;
    case Change::GetsAPicture:
    case Change::GoesBlank:
      return (touched & PictureChanged) && state.picture.empty() == (rule.change == Change::GoesBlank) &&
             (rule.picture.empty() || state.picture.name() == rule.picture);
    default: return false;
  }
}

float rateOf(int row, int rows) {
  if (rows < 2) return 1;
  const float semitones = kRowStep * ((static_cast<float>(rows) - 1) / 2 - static_cast<float>(row));
  return std::exp2(semitones / 12);
}

}  // namespace

void Director::setVolumes(int voice, int effects) {
  voiceGain_ = static_cast<float>(std::clamp(voice, 0, 100)) / 100;
  effectsGain_ = static_cast<float>(std::clamp(effects, 0, 100)) / 100;
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
        lastSaid_ = state.text;
        say(state.text, std::move(said));
        break;
      }
      case Change::Appears:
      case Change::GetsAPicture:
      case Change::GoesBlank:
        if (!soundsNow(rule, touched, state)) break;
        if (rule.noteOfIndex) {
          playPlaced(static_cast<Sound>(static_cast<int>(Sound::note_0) + w.index), s, w);
        } else if (played != &rule) {
          playPlaced(rule.sound, s, w);
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
  if (!muted_) player_.play({sound, std::nullopt, 1, effectsGain_});
}

void Director::playPlaced(Sound sound, const Screen& s, const Watched& first) {
  const CueRule& rule = *first.rule;
  if (rule.columns == 0) {
    play(sound);
    return;
  }
  // A sound that several elements set off at once (two cards turning back)
  // sits between them, at their mean place. A note is its own element's.
  const auto& controls = program_.find(rule.screen)->controls();
  float pan = 0, rate = 0;
  int count = 0;
  for (const Watched& w : s.watched) {
    if (w.rule != &rule || (rule.noteOfIndex && w.slot != first.slot)) continue;
    const auto slot = static_cast<std::size_t>(w.slot);
    if (!soundsNow(rule, s.touched[slot], controls[slot])) continue;
    pan += panOf(w.index % rule.columns, rule.columns);
    rate += rateOf(w.index / rule.columns, rule.pitchedRows);
    ++count;
  }
  if (!muted_) player_.play({sound, pan / static_cast<float>(count), rate / static_cast<float>(count), effectsGain_});
}

std::vector<std::string> Director::answer(Question question) {
  std::vector<std::string> words;
  if (question == Question::SayAgain && !lastSaid_.empty()) words.push_back(lastSaid_);
  if (question == Question::HowFar) words = progressWords(program_);
  if (ended_) return {};
  // An answer is an event of its own: it cuts in, its sentences follow.
  saidThisEvent_ = false;
  for (const std::string& written : words) say(written, spoken(written));
  return words;
}

void Director::say(const std::string& written, std::string spokenText) {
  if (muted_) return;
  player_.say({written, std::move(spokenText), clipsFor(written), voiceGain_},
              saidThisEvent_ ? Turn::Follow : Turn::Interrupt);
  saidThisEvent_ = true;
}

}  // namespace cues
