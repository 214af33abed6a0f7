#include "screen_cues.h"

namespace cues {

namespace {

using enum forms::FormId;

constexpr CueRule says(forms::FormId screen, std::string_view label) { return {screen, label, Change::Speaks}; }
constexpr CueRule when(forms::FormId screen, std::string_view control, Change change, Sound sound) {
  return {screen, control, change, sound};
}
constexpr CueRule whenText(forms::FormId screen, std::string_view control, std::string_view text, Sound sound) {
  return {screen, control, Change::TextArrives, sound, text};
}
constexpr CueRule notesOf(forms::FormId screen, std::string_view lights, int columns) {
  return {screen, lights, Change::Appears, Sound::note_0, {}, true, {}, columns};
}
// A sound of an element of a grid, which says the element's place.
constexpr CueRule inGrid(CueRule rule, int columns, int pitchedRows = 0) {
  rule.columns = columns;
  rule.pitchedRows = pitchedRows;
  return rule;
}
constexpr CueRule whenPicture(forms::FormId screen, std::string_view control, std::string_view picture, Sound sound) {
  CueRule rule{screen, control, Change::GetsAPicture, sound};
  rule.picture = picture;
  return rule;
}
constexpr CueRule whenShown(forms::FormId screen, Sound sound) { return {screen, {}, Change::ComesOnScreen, sound}; }

constexpr CueRule kRules[]{
    // The intro: Tobble's monologue, and his farewell when the intro comes back.
    says(starter, "Talking"),

    // The guide: the lesson one sentence a click. A failed game writes -1
    // into the hidden `failure` box as it hands the guide its failure text.
    whenText(menu, "failure", "-1", Sound::game_failed),
    says(menu, "Talking"),

    // Pick the Cards: a card turning is heard from its column of five.
    inGrid(when(carder, "CardImage", Change::GetsAPicture, Sound::card_up), 5),
    inGrid(when(carder, "CardImage", Change::GoesBlank, Sound::card_down), 5),
    when(carder, "nod", Change::Appears, Sound::pair_found),
    when(carder, "shake", Change::Appears, Sound::pair_wrong),
    says(carder, "talking"),

    // Follow the Pattern: each button's light sounds its own note, when the
    // pattern is shown and when the child clicks the button, from where the
    // button is.
    notesOf(patternform, "cover", 4),
    when(patternform, "nod", Change::Appears, Sound::pair_found),
    when(patternform, "shake", Change::Appears, Sound::pair_wrong),
    whenText(patternform, "Stagetext", "Stage", Sound::stage),
    says(patternform, "talking"),
    says(patternform, "Stagetext"),

    // Hit the worm: the apple pops up from its hole's column, higher in the
    // higher rows; the baby has a sound of its own.
    inGrid(whenPicture(hit, "hitpic", "worm apple", Sound::pop), 4, 4),
    inGrid(whenPicture(hit, "hitpic", "baby", Sound::baby), 4, 4),
    when(hit, "nod", Change::Appears, Sound::hit),
    whenText(hit, "talking", "Missed!!", Sound::miss),
    whenText(hit, "stagetext", "Stage", Sound::stage),
    says(hit, "talking"),
    says(hit, "stagetext"),

    // The completion screen: a fanfare, and its message read out.
    whenShown(Form1, Sound::fanfare),
    says(Form1, "Label1"),
    says(Form1, "Label2"),
    says(Form1, "Label4"),
};

}  // namespace

std::span<const CueRule> cueRules() { return kRules; }

}  // namespace cues
